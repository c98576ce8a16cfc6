' vbscript: the language's named constants, literal types and constant folding
tnPrint vbUseSystem & vbUseSystemDayOfWeek & vbFirstJan1 & vbFirstFourDays & vbFirstFullWeek & vbCrLf   ' expect: 00123
tnPrint vbSunday & vbSaturday & " " & vbBinaryCompare & vbTextCompare & vbDatabaseCompare & vbCrLf      ' expect: 17 012
tnPrint vbGeneralDate & vbLongDate & vbShortDate & vbLongTime & vbShortTime & vbCrLf                    ' expect: 01234
tnPrint vbUseDefault & " " & vbTrue & " " & vbFalse & vbCrLf                                            ' expect: -2 -1 0
tnPrint vbOKOnly & vbOKCancel & vbAbortRetryIgnore & vbYesNoCancel & vbYesNo & vbRetryCancel & vbCrLf   ' expect: 012345
tnPrint vbCritical & " " & vbQuestion & " " & vbExclamation & " " & vbInformation & vbCrLf             ' expect: 16 32 48 64
tnPrint vbDefaultButton2 & " " & vbDefaultButton3 & " " & vbDefaultButton4 & " " & vbApplicationModal & " " & vbSystemModal & vbCrLf   ' expect: 256 512 768 0 4096
tnPrint vbMsgBoxHelpButton & " " & vbMsgBoxSetForeground & " " & vbMsgBoxRight & " " & vbMsgBoxRtlReading & vbCrLf   ' expect: 16384 65536 524288 1048576
tnPrint TypeName(vbMsgBoxHelpButton) & " " & TypeName(vbMsgBoxRight) & " " & TypeName(vbOKCancel) & vbCrLf   ' expect: Integer Long Integer
tnPrint vbOK & vbCancel & vbAbort & vbRetry & vbIgnore & vbYes & vbNo & vbCrLf                          ' expect: 1234567
tnPrint vbEmpty & vbNull & vbInteger & vbLong & vbSingle & vbDouble & vbCurrency & vbDate & vbString & vbCrLf   ' expect: 012345678
tnPrint vbObject & " " & vbError & " " & vbBoolean & " " & vbVariant & " " & vbDataObject & " " & vbDecimal & " " & vbByte & " " & vbArray & vbCrLf   ' expect: 9 10 11 12 13 14 17 8192
tnPrint Hex(vbObjectError) & " " & TypeName(vbObjectError) & vbCrLf                                     ' expect: 80040000 Long

' Colours are Long, the small ones too.
For Each c In Array(vbBlack, vbRed, vbGreen, vbYellow, vbBlue, vbMagenta, vbCyan, vbWhite)
    tnPrint TypeName(c) & ":" & Hex(c) & " "
Next
tnPrint vbCrLf   ' expect: Long:0 Long:FF Long:FF00 Long:FFFF Long:FF0000 Long:FF00FF Long:FFFF00 Long:FFFFFF
tnPrint (vbRed = RGB(255, 0, 0)) & (vbWhite = &HFFFFFF) & vbCrLf                                        ' expect: TrueTrue

' Hex and octal literals: four digits wrap to a negative Integer, a trailing & reads 32 bits.
tnPrint &HFF & " " & TypeName(&HFF) & " " & &HFFFF & " " & TypeName(&HFFFF) & vbCrLf                   ' expect: 255 Integer -1 Integer
tnPrint &HFF& & " " & TypeName(&HFF&) & " " & &HFFFF& & " " & TypeName(&HFFFF&) & vbCrLf               ' expect: 255 Integer 65535 Long
tnPrint &H7FFF& & " " & TypeName(&H7FFF&) & " " & &H8000& & " " & TypeName(&H8000&) & vbCrLf           ' expect: 32767 Integer 32768 Long
tnPrint &HFFFFFFFF & " " & &H10000 & " " & TypeName(&H10000) & " " & &O17 & " " & &O177777 & vbCrLf     ' expect: -1 65536 Long 15 -1
tnPrint TypeName(32767) & " " & TypeName(32768) & " " & TypeName(2147483648) & " " & TypeName(1.0) & vbCrLf   ' expect: Integer Long Double Double

' Round keeps whole-number types; Booleans stay Boolean.
tnPrint Round(True) & " " & TypeName(Round(True)) & " " & TypeName(Round(False)) & vbCrLf               ' expect: True Boolean Boolean
tnPrint TypeName(Round(CInt(7))) & " " & TypeName(Round(CLng(7))) & " " & TypeName(Round(CByte(7))) & vbCrLf   ' expect: Integer Long Byte
tnPrint TypeName(Round(2.5)) & " " & Round(2.5) & " " & Round(3.5) & " " & TypeName(Round("2.5")) & " " & TypeName(Round(Empty)) & vbCrLf   ' expect: Double 2 4 Double Integer
tnPrint TypeName(Round(CSng(1.25), 1)) & " " & Round(CSng(1.25), 1) & " " & TypeName(Round(CCur(1.255), 2)) & vbCrLf   ' expect: Single 1.2 Currency

' A constant folds to what the same expression gives when it runs.
Const literalCompare = (1 = "1")
Const textCompare = ("10" < "9")
Const mixedOrder = (10 < "9")
Const arith = 2 + 3 * 4 ^ 2 / 8
Const joined = "a" & 1 & True
Const negPow = -3 ^ 2
tnPrint literalCompare & (1 = "1") & " " & textCompare & ("10" < "9") & " " & mixedOrder & (10 < "9") & vbCrLf   ' expect: TrueTrue TrueTrue FalseFalse
tnPrint arith & " " & (2 + 3 * 4 ^ 2 / 8) & " " & joined & " " & negPow & vbCrLf                        ' expect: 8 8 a1True 9
Const plusText = +"7"
tnPrint TypeName(plusText) & " " & TypeName(+"7") & " " & plusText + 1 & vbCrLf                         ' expect: String String 8
Const nullCompare = (Null = 1)
tnPrint IsNull(nullCompare) & vbCrLf                                                                     ' expect: True
