' vbscript: a pattern that backtracks without end stops the run at the time limit
' args: --timeout 5000
Set re = New RegExp
re.Pattern = "(a+)+b"
tnPrint re.Test(String(40, "a")) & vbCrLf       ' expect: False
re.Pattern = "^(a+)+$"
On Error Resume Next                            ' a time-out is no error a script can catch
x = re.Test(String(40, "a") & "!")              ' expect-timeout
tnPrint "not reached"
