' vbscript: ReDim declares the array it makes, also under Option Explicit
Option Explicit
ReDim list(2)
list(2) = "last"
tnPrint UBound(list) & " " & list(2) & vbCrLf        ' expect: 2 last
Sub Fill
    ReDim local(1)
    local(1) = "in"
    ReDim Preserve local(3)
    tnPrint UBound(local) & local(1) & vbCrLf
End Sub
Fill                                                  ' expect: 3in
Sub Grow
    ReDim Preserve list(4)   ' the script-level array, not a new local
End Sub
Grow
tnPrint UBound(list) & " " & list(2) & vbCrLf        ' expect: 4 last
undeclared = 1                                        ' expect-error: 500 line 18
