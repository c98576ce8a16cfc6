' vbscript: Sub, Function, ByRef and ByVal, calls with and without Call
Sub Bump(n) : n = n + 1 : End Sub
Sub BumpVal(ByVal n) : n = n + 1 : End Sub
Function Twice(x) : Twice = x * 2 : End Function
a = 1
Bump a : tnPrint a & vbCrLf          ' expect: 2
Call Bump(a) : tnPrint a & vbCrLf    ' expect: 3
Bump (a) : tnPrint a & vbCrLf        ' expect: 3
BumpVal a : tnPrint a & vbCrLf       ' expect: 3
Dim arr(2) : arr(1) = 10
Bump arr(1) : tnPrint arr(1) & vbCrLf   ' expect: 11
tnPrint Twice(Twice(3)) & vbCrLf     ' expect: 12
Function Fact(n)
  If n <= 1 Then
    Fact = 1
  Else
    Fact = n * Fact(n - 1)
  End If
End Function
tnPrint Fact(10) & vbCrLf            ' expect: 3628800
Function Early(x)
  Early = "start"
  If x Then Exit Function
  Early = "end"
End Function
tnPrint Early(True) & Early(False) & vbCrLf   ' expect: startend
g = "global"
Sub Shadow : Dim g : g = "local" : End Sub
Shadow : tnPrint g & vbCrLf          ' expect: global
Sub SetsGlobal : g = "changed" : End Sub
SetsGlobal : tnPrint g & vbCrLf      ' expect: changed
Sub Implicit : newName = 5 : End Sub
Implicit : tnPrint IsEmpty(newName) & vbCrLf   ' expect: True
tnPrint Later() & vbCrLf             ' expect: defined below
Function Later : Later = "defined below" : End Function
Twice 1, 2   ' expect-error: 450
