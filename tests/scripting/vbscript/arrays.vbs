' vbscript: arrays of every shape, ReDim, Erase, For Each, Split, Join, Filter
Dim a(3)
tnPrint UBound(a) & " " & LBound(a) & " " & IsEmpty(a(0)) & vbCrLf   ' expect: 3 0 True
a(0) = "x" : a(3) = 5
b = a : b(0) = "y"
tnPrint a(0) & b(0) & vbCrLf                      ' expect: xy
Dim m(2, 4)
m(1, 3) = 13 : m(2, 4) = 24
tnPrint UBound(m) & " " & UBound(m, 1) & " " & UBound(m, 2) & " " & m(1, 3) + m(2, 4) & vbCrLf   ' expect: 2 2 4 37
Dim cube(1, 1, 1) : cube(1, 0, 1) = "c"
tnPrint UBound(cube, 3) & cube(1, 0, 1) & vbCrLf   ' expect: 1c
Dim d()
ReDim d(2)
d(0) = 1 : d(1) = 2 : d(2) = 3
ReDim Preserve d(4)
tnPrint UBound(d) & " " & d(0) & d(1) & d(2) & " " & IsEmpty(d(4)) & vbCrLf   ' expect: 4 123 True
ReDim Preserve d(1)
tnPrint UBound(d) & " " & d(1) & vbCrLf            ' expect: 1 2
ReDim d(1)
tnPrint IsEmpty(d(0)) & vbCrLf                      ' expect: True
ReDim g(1, 2) : g(1, 2) = "keep" : g(0, 0) = "first"
ReDim Preserve g(1, 5)
tnPrint g(1, 2) & " " & g(0, 0) & " " & UBound(g, 2) & vbCrLf   ' expect: keep first 5
Erase a
tnPrint UBound(a) & " " & IsEmpty(a(3)) & vbCrLf   ' expect: 3 True
s = 0
For Each v In Array(1, 2, 3, 4) : s = s + v : Next
tnPrint s & vbCrLf                                 ' expect: 10
s = ""
For Each v In m
  If Not IsEmpty(v) Then s = s & v & ","
Next
tnPrint s & vbCrLf                                 ' expect: 13,24,
arr = Array(1, 2, 3)
For Each v In arr : v = v * 10 : Next               ' For Each hands out copies
tnPrint Join(arr, ",") & vbCrLf                    ' expect: 1,2,3
parts = Split("a b  c")
tnPrint UBound(parts) & "[" & parts(2) & "]" & vbCrLf   ' expect: 3[]
parts = Split("a,b,c,d", ",", 2)
tnPrint UBound(parts) & " " & parts(1) & vbCrLf    ' expect: 1 b,c,d
parts = Split("aXbxc", "x", -1, vbTextCompare)
tnPrint Join(parts, "|") & " " & Join(Split("abc", ""), "|") & vbCrLf  ' expect: a|b|c abc
tnPrint Join(Array(1, 2, 3)) & "|" & Join(Array()) & "|" & UBound(Array()) & vbCrLf   ' expect: 1 2 3||-1
tnPrint Join(Filter(Array("Red", "green", "Blue"), "e", False), ",") & "|" & Join(Filter(Array("Red", "green", "Blue"), "R", True, vbTextCompare), ",") & vbCrLf  ' expect: |Red,green
tnPrint Join(Filter(Array("ab", "cd", "abc"), "ab", False), ",") & vbCrLf   ' expect: cd
Sub Fill(arr) : arr(0) = "filled" : End Sub
Dim z(1) : Fill z : tnPrint z(0) & vbCrLf          ' expect: filled
Function Make(n) : ReDim r(n) : r(n) = n : Make = r : End Function
tnPrint UBound(Make(4)) & Make(2)(2) & vbCrLf      ' expect: 42
On Error Resume Next
Dim fx(2)
ReDim fx(5)
tnPrint Err.Number & vbCrLf : Err.Clear            ' expect: 10
x = arr(3)
tnPrint Err.Number & vbCrLf : Err.Clear            ' expect: 9
x = m(1)
tnPrint Err.Number & vbCrLf : Err.Clear            ' expect: 9
x = UBound(m, 3)
tnPrint Err.Number & vbCrLf : Err.Clear            ' expect: 9
x = UBound(5)
tnPrint Err.Number & vbCrLf : Err.Clear            ' expect: 13
On Error GoTo 0
ReDim Preserve m(3, 4)   ' expect-error: 10
