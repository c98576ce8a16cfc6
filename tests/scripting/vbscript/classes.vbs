' vbscript: classes, members, properties, New, With, Nothing and the life cycle
Class Counter
  Public Count
  Private mStep
  Private Sub Class_Initialize
    Count = 0 : mStep = 1
    tnPrint "init" & vbCrLf
  End Sub
  Private Sub Class_Terminate
    tnPrint "terminate " & Count & vbCrLf
  End Sub
  Public Sub Bump : Count = Count + mStep : End Sub
  Public Property Get StepSize : StepSize = mStep : End Property
  Public Property Let StepSize(v)
    If v < 1 Then Err.Raise 5
    mStep = v
  End Property
  Public Function Twice : Twice = Count * 2 : End Function
End Class
Set c = New Counter                       ' expect: init
c.Bump : c.Bump
tnPrint c.Count & " " & c.Twice & vbCrLf  ' expect: 2 4
c.StepSize = 10 : c.Bump
tnPrint c.Count & " " & c.StepSize & vbCrLf   ' expect: 12 10
tnPrint TypeName(c) & " " & VarType(c) & " " & IsObject(c) & vbCrLf  ' expect: Counter 9 True
Set d = c
Set c = Nothing                           ' d still holds it: no terminate yet
tnPrint "still alive " & d.Count & vbCrLf ' expect: still alive 12
Set d = Nothing                           ' expect: terminate 12
tnPrint (c Is Nothing) & vbCrLf           ' expect: True
Class Holder
  Private mItem
  Public Property Set Item(o) : Set mItem = o : End Property
  Public Property Get Item : Set Item = mItem : End Property
  Public Default Function Describe : Describe = "holder" : End Function
End Class
Set h = New Holder                        ' expect: init
Set h.Item = New Counter
h.Item.Bump
tnPrint h.Item.Count & " " & h & vbCrLf   ' expect: 1 holder
Set h = Nothing                           ' expect: terminate 1
Sub Scoped
  Dim local : Set local = New Counter     ' expect: init
  local.Bump : local.Bump : local.Bump
End Sub                                   ' expect: terminate 3
Scoped
With New Counter                          ' expect: init
  .Bump
  tnPrint "with " & .Count & vbCrLf       ' expect: with 1
End With                                  ' expect: terminate 1
' A member without its object outside With fails only if it runs.
Sub Unqualified : .Bump : End Sub
On Error Resume Next
got = .Count
tnPrint Err.Number & " " & IsEmpty(got) & vbCrLf   ' expect: 505 True
Err.Clear : .Count = 3
tnPrint Err.Number & vbCrLf                       ' expect: 505
Err.Clear : Unqualified
tnPrint Err.Number & " " & Err.Description & vbCrLf ' expect: 505 Invalid or unqualified reference
On Error GoTo 0
Class Plain
  Dim a, b
  Public Function Both : Both = IsEmpty(a) & "," & IsEmpty(b) : End Function
End Class
Set p = New Plain
tnPrint p.Both & vbCrLf                   ' expect: True,True
p.a = 5
tnPrint p.a & " " & TypeName(p.b) & vbCrLf  ' expect: 5 Empty
Set q = p : q.a = 6
tnPrint p.a & " " & (p Is q) & " " & (p Is New Plain) & vbCrLf   ' expect: 6 True False
Class Node
  Public Nxt, Name
  Private Sub Class_Terminate : tnPrint "bye " & Name & vbCrLf : End Sub
End Class
Set n1 = New Node : n1.Name = "one"
Set n1.Nxt = New Node : n1.Nxt.Name = "two"
Set n1 = Nothing                          ' expect: bye one
                                          ' expect: bye two
Class Secret
  Private hidden
  Public Sub SetIt(v) : hidden = v : End Sub
  Public Function Peek : Peek = hidden : End Function
End Class
Set s1 = New Secret : s1.SetIt 7
tnPrint s1.Peek & vbCrLf                  ' expect: 7
On Error Resume Next
c.StepSize = 0
tnPrint Err.Number & vbCrLf               ' expect: 424
Err.Clear
Set c = New Counter                       ' expect: init
c.StepSize = 0
tnPrint Err.Number & " " & c.StepSize & vbCrLf   ' expect: 5 1
Err.Clear
x = s1.hidden
tnPrint Err.Number & vbCrLf               ' expect: 438
Err.Clear
c.NoSuch
tnPrint Err.Number & vbCrLf               ' expect: 438
On Error GoTo 0
Set c = Nothing                           ' expect: terminate 0
Set last = New Counter                    ' expect: init
last.Count = 99
tnPrint "end" & vbCrLf                    ' expect: end
' at the end of the run every object still held is terminated
' expect: terminate 99
