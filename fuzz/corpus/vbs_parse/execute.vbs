' vbscript: Execute, ExecuteGlobal and Eval with their scopes
x = 1
Execute "x = x + 1"
tnPrint x & vbCrLf                               ' expect: 2
tnPrint Eval("x * 10") & " " & Eval("x = 2") & vbCrLf   ' expect: 20 True
ExecuteGlobal "Function Sq(n) : Sq = n * n : End Function"
tnPrint Sq(7) & vbCrLf                           ' expect: 49
Sub Local
  Dim x : x = 100
  Execute "x = x + 1"                            ' the local x
  tnPrint x & " " & Eval("x") & vbCrLf           ' expect: 101 101
  ExecuteGlobal "x = x + 5"                      ' the global x
  tnPrint x & vbCrLf                             ' expect: 101
End Sub
Local
tnPrint x & vbCrLf                               ' expect: 7
Execute "Dim made : made = 3"                    ' at the top level a Dim makes a global
tnPrint made & vbCrLf                            ' expect: 3
Execute "a = 1 : b = 2" & vbCrLf & "c = a + b"
tnPrint c & vbCrLf                               ' expect: 3
ExecuteGlobal "Class Pt : Public X : End Class"
Set p = New Pt : p.X = 4
tnPrint TypeName(p) & p.X & vbCrLf               ' expect: Pt4
On Error Resume Next
Execute "y = ""no end"
tnPrint Err.Number & vbCrLf                      ' expect: 1033
Err.Clear
tnPrint Eval("1 / 0") & vbCrLf                   ' the failing statement is skipped whole
tnPrint Err.Number & vbCrLf                      ' expect: 11
On Error GoTo 0
Execute "z = 1" & vbCrLf & "z = z / 0"           ' expect-error: 11 line 31
