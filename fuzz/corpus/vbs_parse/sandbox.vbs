' vbscript: no way out of the sandbox
On Error Resume Next
Set fso = CreateObject("Scripting.FileSystemObject")
tnPrint Err.Number & " " & Err.Description & vbCrLf   ' expect: 429 ActiveX component can't create object
Err.Clear
Set sh = CreateObject("WScript.Shell")
tnPrint Err.Number & " " & IsEmpty(sh) & vbCrLf        ' expect: 429 True
Err.Clear
Set o = GetObject("winmgmts:")
tnPrint Err.Number & vbCrLf                            ' expect: 429
Err.Clear
Set o = GetObject(, "Excel.Application")
tnPrint Err.Number & vbCrLf                            ' expect: 429
Err.Clear
WScript.Echo "hi"
tnPrint Err.Number & vbCrLf                            ' expect: 424
Err.Clear
Execute "Set f = CreateObject(""ADODB.Stream"")"
tnPrint Err.Number & vbCrLf                            ' expect: 429
Err.Clear
x = Eval("CreateObject(""Shell.Application"")")
tnPrint Err.Number & vbCrLf                            ' expect: 429
On Error GoTo 0
Set net = CreateObject("MSXML2.XMLHTTP")   ' expect-error: 429 line 24
