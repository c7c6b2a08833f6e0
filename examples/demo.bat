@echo off
rem The demo: SAPLOR makes a tree, HARVEL takes both sample distributions into it,
rem KENVO reports them in each output mode.
rem   demo.bat <folder holding x86 and x64> <output folder> <tools folder>
echo == SAPLOR makes the tree for two distributions, from its tesmo.ini
%3\saplor -n:2 -p:X64
if errorlevel 1 echo SAPLOR failed
echo == HARVEL takes each distribution's boot files into its boot folder
call %~dp0harvel-take.bat %1\x86 %2\disc\BT_B
call %~dp0harvel-take.bat %1\x64 %2\disc\BT_C
call %~dp0harvel-take.bat %1 %2\disc\BT_D
for %%D in (x86 x64) do (
  echo == %%D, mode 0
  kenvo -s:%1\%%D
  if errorlevel 1 (echo ERRORLEVEL 1) else echo ERRORLEVEL 0
  echo == %%D, mode 1
  kenvo -s:%1\%%D -m:1
  echo == %%D, mode 2
  kenvo -s:%1\%%D -m:2
)
echo == report file
kenvo -s:%1\x86 -d:%2 all
type %2\rozevazu.log
call %~dp0kenvo-report.bat %1\x64
call %~dp0kenvo-report.bat %1
echo ERRORLEVEL of the last KENVO run: %ERRORLEVEL%
