@echo off
rem harvel-take.bat <distribution> <boot folder>: takes the distribution's boot
rem files into the boot folder; HARVEL's ERRORLEVEL names the platform.
harvel -s:%1 -d:%2 -m > nul
if errorlevel 3 goto failed
if errorlevel 2 goto x64
echo %1 is an x86 distribution: boot files in %2\i386_
goto end
:x64
echo %1 is an x64 distribution: boot files in %2\amd64_
goto end
:failed
echo %1 could not be taken
:end
