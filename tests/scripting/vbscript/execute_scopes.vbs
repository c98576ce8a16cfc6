' vbscript: what Execute'd code declares inside a procedure belongs to that call
Dim g : g = 1
Sub Made
  Execute "Dim x" & vbCrLf & "x = 5"
  Execute "tnPrint ""later Execute: "" & x & vbCrLf"  ' expect: later Execute: 5
  tnPrint "the procedure: " & x & vbCrLf             ' expect: the procedure: 5
  Execute "z = 9"
  tnPrint "undeclared: " & z & vbCrLf                ' expect: undeclared: 9
  y = 7
  Execute "tnPrint ""implicit local: "" & y & vbCrLf" ' expect: implicit local: 7
  Execute "g = g + 1"                                ' a global stays the global
  Execute "Execute ""w = 4"" : tnPrint ""nested: "" & w & Eval(""w * 2"") & vbCrLf" ' expect: nested: 48
  tnPrint "w in the procedure: " & Eval("w") & vbCrLf ' expect: w in the procedure: 4
End Sub
Made
tnPrint "outside: [" & x & "] [" & z & "] [" & w & "] " & g & vbCrLf ' expect: outside: [] [] [] 2

' Each call, recursive or not, starts without the variables of the others.
Function Depth(n)
  Execute "Dim level : level = n"
  If n < 3 Then Depth = Depth(n + 1) & "," & Eval("level") Else Depth = Eval("level")
  Execute "seen = IsEmpty(seen)"
  If Not seen Then Depth = "shared"
End Function
tnPrint Depth(1) & vbCrLf                           ' expect: 3,2,1

Sub Twice(ByRef v) : v = v * 2 : End Sub
Function Result
  Const K = 21
  Execute "Dim r : r = K"
  Twice r                                           ' ByRef reaches the Execute'd variable
  Execute "Result = r"
End Function
tnPrint Result & vbCrLf                             ' expect: 42

Sub Clash
  Dim mine
  On Error Resume Next
  Execute "Dim mine"
  tnPrint Err.Number & vbCrLf                       ' expect: 1041
End Sub
Clash
