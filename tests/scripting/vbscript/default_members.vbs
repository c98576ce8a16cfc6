' vbscript: an object with a default member stands for its value wherever a value is wanted
Class Num
    Private v_
    Public Default Property Get Value : Value = v_ : End Property
    Public Property Let Value(x) : v_ = x : End Property
End Class
Function MakeNum(x)
    Set MakeNum = New Num
    MakeNum.Value = x
End Function
Set n = MakeNum(200.6)
tnPrint Hex(n) & " " & Oct(n) & " " & CInt(n) & " " & CLng(n) & " " & CByte(n) & vbCrLf   ' expect: C9 311 201 201 201
tnPrint CCur(n) & " " & CDbl(n) & " " & CSng(n) & " " & CBool(n) & " " & CStr(n) & vbCrLf ' expect: 200.6 200.6 200.6 True 200.6
tnPrint Int(n) & " " & Fix(n) & " " & Round(n) & " " & Abs(MakeNum(-2)) & " " & Sgn(MakeNum(-2)) & vbCrLf   ' expect: 200 200 201 2 -1
tnPrint IsNumeric(n) & " " & IsNumeric(MakeNum("x")) & " " & IsNumeric(MakeNum("12")) & vbCrLf   ' expect: True False True
tnPrint TypeName(CDate(MakeNum(2))) & " " & Len(MakeNum("abcd")) & " " & UCase(MakeNum("ab")) & " " & Left(MakeNum("xyz"), 2) & vbCrLf   ' expect: Date 4 AB xy
tnPrint (n = 200.6) & (n > 100) & (100 < n) & (n <> 1) & (MakeNum("a") = "a") & vbCrLf   ' expect: TrueTrueTrueTrueTrue
tnPrint "[" & n & "]" & n + 1 & " " & n * 2 & " " & -MakeNum(3) & " " & (Not MakeNum(0)) & vbCrLf   ' expect: [200.6]201.6 401.2 -3 -1
If MakeNum(True) Then tnPrint "if" & vbCrLf                                                    ' expect: if
Select Case MakeNum(2)
Case 1 : tnPrint "one"
Case 2 : tnPrint "two" & vbCrLf                                                                ' expect: two
End Select
tnPrint TypeName(n) & " " & IsObject(n) & " " & VarType(n) & " " & VarType(MakeNum("s")) & vbCrLf   ' expect: Num True 5 8
x = n
tnPrint TypeName(x) & vbCrLf                                                                   ' expect: Double

' A default function takes arguments: o(i) calls it.
Class List
    Private items_
    Private Sub Class_Initialize : items_ = Array("zero", "one", "two") : End Sub
    Public Default Function Item(i) : Item = items_(i) : End Function
End Class
Set l = New List
tnPrint l(1) & " " & l.Item(2) & " " & UCase(l(0)) & vbCrLf                                    ' expect: one two ZERO

' Without a default member there is no value to take.
Class Plain
End Class
On Error Resume Next
Set p = New Plain
x = CInt(p)
tnPrint Err.Number & " "
Err.Clear
x = "a" & p
tnPrint Err.Number & " "
Err.Clear
tnPrint IsNumeric(p) & " " & VarType(p) & vbCrLf                                               ' expect: 438 438 False 9
