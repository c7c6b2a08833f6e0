@echo off
rem Reports a distribution with KENVO: the exit code says whether it is one,
rem and for /f captures a single fact from stdout.
rem   kenvo-report.bat <distribution folder>
kenvo -s:%1 -m:2
if errorlevel 1 goto notdist
for /f "delims=" %%P in ('kenvo -s:%1 Platform') do set PLATFORM=%%P
echo Platform of %1 is %PLATFORM%
goto end
:notdist
echo %1 is not a distribution
:end
