' vbscript: x = x & y in every kind of variable gives what a fresh concatenation gives
u = u & "a" : u = u & 1 : u = u & True
tnPrint u & " " & TypeName(u) & vbCrLf       ' expect: a1True String
n = Null : n = n & Null
tnPrint TypeName(n) & vbCrLf                  ' expect: Null
n = n & "z"
tnPrint n & vbCrLf                            ' expect: z
x = 5 : x = x & 6
tnPrint x & " " & TypeName(x) & vbCrLf       ' expect: 56 String
Dim d : d = "d" : d = d & CDbl(0.5) & #1/2/2024#
tnPrint d & vbCrLf                            ' expect: d0.51/2/2024
Function F : F = "f" : F = F & "g" : End Function
tnPrint F() & vbCrLf                          ' expect: fg
Class K
  Public Text
  Public Default Function V : V = "k" : End Function
  Public Sub Grow : Text = Text & "+" : End Sub
End Class
Set o = New K
t = "x" : t = t & o
tnPrint t & vbCrLf                            ' expect: xk
o.Grow : o.Grow
tnPrint o.Text & vbCrLf                       ' expect: ++
Sub Local : Dim s : For i = 1 To 3 : s = s & i : Next : tnPrint s & vbCrLf : End Sub
Local                                         ' expect: 123
a = "shared" : b = a : b = b & "!"
tnPrint a & " " & b & vbCrLf                  ' expect: shared shared!
