' vbscript: statements packed on one line, continuations, and other forms scripts from elsewhere use
Sub Empty1 : End Sub
Function One() : One = 1 : End Function
Class Bare : End Class
Empty1
tnPrint One() & " " & TypeName(New Bare) & vbCrLf             ' expect: 1 Bare
Sub Twice(x) : x = x * 2 : End Sub : n = 4 : Twice n : tnPrint n & vbCrLf   ' expect: 8

' A statement may follow Case on its line, with or without a colon.
For Each k In Array(1, 2, 7)
    Select Case k
    Case 1 tnPrint "one"
    Case 2: tnPrint "two"
    Case Else tnPrint "other"
    End Select
Next
tnPrint vbCrLf                                               ' expect: onetwoother

' A colon right after Then still opens a block If.
If n = 8 Then :
    tnPrint "block"
    tnPrint "-if"
End If
tnPrint vbCrLf                                               ' expect: block-if

' Procedures inside a block at script level are defined before anything runs.
tnPrint Nested() & vbCrLf                                    ' expect: nested
If False Then
    Function Nested()
        Nested = "nested"
    End Function
    Public Sub AlsoNested : tnPrint "also" & vbCrLf : End Sub
End If
AlsoNested                                                   ' expect: also

' Line continuation right after an operator or a comma.
total =_
    1 +_
    2 + _
    3
tnPrint total & vbCrLf                                       ' expect: 6

' => and =< compare like >= and <=.
tnPrint (3 => 3) & (2 => 3) & (2 =< 3) & (4 =< 3) & vbCrLf   ' expect: TrueFalseTrueFalse
Select Case 5
Case Is => 5 : tnPrint "ge" & vbCrLf                         ' expect: ge
End Select

' Rem and Property are ordinary member names.
Class Odd
    Public rem
    Public property
    Public Property Get Let : Let = "L" : End Property
End Class
Set o = New Odd
o.rem = "r" : o.property = "p"  ' Rem here would have been a comment
tnPrint o.rem & o.Property & o.Let & vbCrLf                  ' expect: rpL
Rem a real comment still works

' Call on an expression in parentheses, and o.V() = value.
Class Greeter
    Public V
    Sub Hello : tnPrint "hello" & vbCrLf : End Sub
End Class
Call (New Greeter).Hello                                     ' expect: hello
Set g = New Greeter
g.V() = 3
tnPrint g.V & vbCrLf                                         ' expect: 3

' Stop does nothing without a debugger.
Stop
tnPrint "after stop" & vbCrLf                                ' expect: after stop

' The later of two procedures of one name is the one called.
Function Version : Version = 1 : End Function
Function Version : Version = 2 : End Function
tnPrint Version & vbCrLf                                     ' expect: 2

' Inside With, a call whose first argument starts with a dot.
Sub Show(a, b) : tnPrint a & "/" & b & vbCrLf : End Sub
Set g2 = New Greeter
g2.V = "v"
With g2
    Show .V, 1                                               ' expect: v/1
    Show .V & "w", .V                                        ' expect: vw/v
End With

' Unary minus binds tighter than ^; ^ is left-associative.
tnPrint -3 ^ 2 & " " & 2 ^ -2 & " " & -2 ^ 3 & " " & 2 ^ 3 ^ 2 & " " & 10 - 2 ^ 2 & vbCrLf   ' expect: 9 0.25 -8 64 6
x = 3
tnPrint -x ^ 2 & " " & (-x) ^ 2 & " " & -(x ^ 2) & vbCrLf    ' expect: 9 9 -9

' Whole blocks on one line.
cnt = 4 : Select Case cnt : Case 4 : tnPrint "four" : End Select : tnPrint vbCrLf   ' expect: four
Class Pair : Public A, B : End Class : Set pr = New Pair : With pr : .A = 1 : .B = 2 : End With
tnPrint pr.A + pr.B & vbCrLf                                 ' expect: 3

' A one-line If inside a one-line block ends where that block ends.
Function Pick(a) : If a Then Pick = "yes" Else Pick = "no" : End Function
tnPrint Pick(True) & Pick(False) & vbCrLf                    ' expect: yesno
For i = 1 To 3 : If i = 2 Then tnPrint "two" : Next
tnPrint vbCrLf                                               ' expect: two
If 1 Then tnPrint "a" : tnPrint "b" Else tnPrint "c" : tnPrint "d"
If 0 Then tnPrint "a" : tnPrint "b" Else tnPrint "c" : tnPrint "d"
If 1 Then tnPrint "e" : End If
tnPrint vbCrLf                                               ' expect: abcde
