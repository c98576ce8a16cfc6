' vbscript: copies of fixed arrays are dynamic, Erase, bounds by dimension, arrays of arrays
Dim fixed(2)
fixed(0) = "a" : fixed(2) = "c"
copy = fixed
ReDim Preserve copy(4)
copy(4) = "e"
tnPrint UBound(copy) & " " & copy(0) & copy(2) & copy(4) & " " & UBound(fixed) & vbCrLf   ' expect: 4 ace 2
ReDim copy(1)
tnPrint UBound(copy) & IsEmpty(copy(0)) & " " & fixed(0) & vbCrLf                         ' expect: 1True a

Function MakeFixed()
    Dim t(1)
    t(0) = "from function"
    MakeFixed = t
End Function
r = MakeFixed()
ReDim Preserve r(3)
tnPrint UBound(r) & " " & r(0) & vbCrLf                                                  ' expect: 3 from function

Sub GrowCopy(ByVal p)
    ReDim Preserve p(5)
    p(5) = "changed"
    tnPrint UBound(p) & " "
End Sub
GrowCopy fixed
tnPrint UBound(fixed) & " " & fixed(0) & vbCrLf                                          ' expect: 5 2 a

Class Holder
    Public Items
End Class
Set h = New Holder
h.Items = fixed
ReDim Preserve fixed2(0)
tnPrint UBound(h.Items) & vbCrLf                                                         ' expect: 2
Dim box(1)
box(0) = fixed
tnPrint UBound(box(0)) & " " & box(0)(0) & vbCrLf                                         ' expect: 2 a

' Erase: a fixed array keeps its size with empty elements, a dynamic one loses them.
Dim two(1, 2)
two(1, 2) = 5
Erase two
tnPrint UBound(two, 1) & UBound(two, 2) & IsEmpty(two(1, 2)) & vbCrLf                     ' expect: 12True
dyn = Array(1, 2, 3)
Erase dyn
tnPrint IsArray(dyn) & vbCrLf                                                            ' expect: True
ReDim dyn(2, 3, 4)
tnPrint LBound(dyn, 1) & LBound(dyn, 3) & " " & UBound(dyn, 1) & UBound(dyn, 2) & UBound(dyn, 3) & vbCrLf   ' expect: 00 234

' Arrays of arrays: read and write through every level, each copy its own.
grid = Array(Array(1, 2), Array(3, Array(4, 5)))
grid(0)(1) = 20
grid(1)(1)(0) = 40
other = grid
other(1)(1)(1) = 50
tnPrint grid(0)(1) & " " & grid(1)(1)(0) & " " & grid(1)(1)(1) & " " & other(1)(1)(1) & vbCrLf   ' expect: 20 40 5 50
tnPrint UBound(grid(1)(1)) & " " & TypeName(grid(1)) & vbCrLf                                    ' expect: 1 Variant()
total = 0
For Each row In grid
    For Each cell In row
        If IsArray(cell) Then total = total + cell(0) + cell(1) Else total = total + cell
    Next
Next
tnPrint total & vbCrLf                                                                   ' expect: 69

On Error Resume Next
grid(0)(7) = 1
tnPrint Err.Number & vbCrLf                                                              ' expect: 9
Err.Clear
n = 5
n(0) = 1
tnPrint Err.Number & vbCrLf                                                              ' expect: 13
Err.Clear
x = UBound(dyn, 4)
tnPrint Err.Number & vbCrLf                                                              ' expect: 9
Err.Clear
x = UBound(dyn, 0)
tnPrint Err.Number & vbCrLf                                                              ' expect: 9
On Error GoTo 0

' A fixed array itself still refuses ReDim, also through a ByRef parameter.
Sub Resize(p)
    ReDim p(4)
End Sub
Resize fixed                                                                             ' expect-error: 10 line 83
