' vbscript: runaway nesting and runaway sizes end in errors the script can catch
' args: --timeout 30000
' A wide limit of its own: the errors must come first however loaded the machine.
On Error Resume Next
s = "Execute s"
Execute s                                    ' Execute that runs itself
tnPrint Err.Number & " " & Err.Description & vbCrLf   ' expect: 28 Out of stack space
Err.Clear
Function Ev(n) : Ev = Eval("Ev(n + 1)") : End Function
x = Ev(1)
tnPrint Err.Number & vbCrLf                  ' expect: 28
Err.Clear
Class Loop1
  Public Property Get Again : Again = Me.Again : End Property
End Class
Set o = New Loop1
x = o.Again
tnPrint Err.Number & vbCrLf                  ' expect: 28
Err.Clear
x = Space(100000000)
tnPrint Err.Number & " " & Err.Description & vbCrLf   ' expect: 7 Out of memory
Err.Clear
x = String(50000000, "ab")
tnPrint Err.Number & vbCrLf                  ' expect: 7
Err.Clear
ReDim big(100000000)
tnPrint Err.Number & vbCrLf                  ' expect: 7
Err.Clear
ReDim big2(20000, 20000)
tnPrint Err.Number & vbCrLf                  ' expect: 7
Err.Clear
x = Replace(String(10000, "a"), "a", String(10000, "b"))
tnPrint Err.Number & vbCrLf                  ' expect: 7
Err.Clear
x = Join(Array(String(20000000, "a"), String(20000000, "b")), "")
tnPrint Err.Number & vbCrLf                  ' expect: 7
Err.Clear
tnPrint Len(Space(1000000)) & vbCrLf         ' expect: 1000000
On Error GoTo 0
s = "x"
Do : s = s & s : Loop   ' expect-error: 7
