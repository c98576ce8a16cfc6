' vbscript: date and time functions that do not depend on the clock
d = DateSerial(2024, 2, 29)
tnPrint d & " " & TypeName(d) & " " & VarType(d) & vbCrLf    ' expect: 2/29/2024 Date 7
tnPrint DateSerial(2024, 13, 1) & " " & DateSerial(2024, 3, 0) & " " & DateSerial(2023, 1, -1) & vbCrLf  ' expect: 1/1/2025 2/29/2024 12/30/2022
tnPrint Year(d) & " " & Month(d) & " " & Day(d) & " " & Weekday(d) & " " & Weekday(d, vbMonday) & vbCrLf  ' expect: 2024 2 29 5 4
tnPrint DateAdd("d", 1, d) & " " & DateAdd("m", 1, #1/31/2024#) & " " & DateAdd("yyyy", 1, d) & vbCrLf  ' expect: 3/1/2024 2/29/2024 2/28/2025
tnPrint DateAdd("h", 25, #1/1/2024#) & " " & DateAdd("n", -1, #1/1/2024#) & " " & DateAdd("ww", 2, #1/1/2024#) & vbCrLf  ' expect: 1/2/2024 1:00:00 AM 12/31/2023 11:59:00 PM 1/15/2024
tnPrint DateAdd("q", 1, #11/30/2024#) & " " & DateAdd("s", 90, #1/1/2024#) & vbCrLf  ' expect: 2/28/2025 1/1/2024 12:01:30 AM
tnPrint DateDiff("d", #1/1/2024#, #3/1/2024#) & " " & DateDiff("m", #1/31/2024#, #2/1/2024#) & " " & DateDiff("yyyy", #12/31/2023#, #1/1/2024#) & vbCrLf  ' expect: 60 1 1
tnPrint DateDiff("h", #1/1/2024#, #1/2/2024 6:00#) & " " & DateDiff("d", #3/1/2024#, #1/1/2024#) & " " & DateDiff("n", #1/1/2024 10:00#, #1/1/2024 10:30#) & vbCrLf  ' expect: 30 -60 30
tnPrint DateDiff("ww", #1/1/2024#, #1/31/2024#) & " " & DateDiff("w", #1/1/2024#, #1/31/2024#) & vbCrLf  ' expect: 4 4
tnPrint DatePart("q", #8/15/2024#) & " " & DatePart("y", #2/1/2024#) & " " & DatePart("yyyy", d) & " " & DatePart("w", d) & vbCrLf  ' expect: 3 32 2024 5
tnPrint MonthName(1) & " " & MonthName(12, True) & " " & WeekdayName(1) & " " & WeekdayName(2, True) & vbCrLf  ' expect: January Dec Sunday Mon
t = TimeSerial(13, 5, 9)
tnPrint t & " " & Hour(t) & " " & Minute(t) & " " & Second(t) & " " & TimeSerial(0, 90, 0) & vbCrLf  ' expect: 1:05:09 PM 13 5 9 1:30:00 AM
dt = #7/4/2024 18:30:15#
tnPrint FormatDateTime(dt, vbGeneralDate) & "|" & FormatDateTime(dt, vbShortDate) & "|" & FormatDateTime(dt, vbShortTime) & vbCrLf  ' expect: 7/4/2024 6:30:15 PM|7/4/2024|18:30
tnPrint FormatDateTime(dt, vbLongDate) & "|" & FormatDateTime(dt, vbLongTime) & vbCrLf  ' expect: Thursday, July 4, 2024|6:30:15 PM
tnPrint CDate("2024-07-04") & " " & CDate("July 4, 2024") & " " & CDate(45000) & " " & CDate(0.5) & vbCrLf  ' expect: 7/4/2024 7/4/2024 3/15/2023 12:00:00 PM
tnPrint DateValue("1/2/2024 13:00") & " " & TimeValue("1/2/2024 13:00") & vbCrLf  ' expect: 1/2/2024 1:00:00 PM
tnPrint IsDate("1/2/2024") & " " & IsDate("hello") & " " & IsDate(#1/1/2000#) & " " & IsDate("2/30/2024") & " " & IsDate(5) & vbCrLf  ' expect: True False True False False
tnPrint CDbl(#1/1/1900#) & " " & CDbl(#12/30/1899#) & " " & CLng(#1/1/2000#) & vbCrLf  ' expect: 2 0 36526
tnPrint #1/1/2024# - #12/25/2023# & " " & TypeName(#1/1/2024# - #12/25/2023#) & " " & (#1/1/2024# + 1) & vbCrLf  ' expect: 7 Double 1/2/2024
tnPrint (#1/1/2024# < #1/2/2024#) & " " & (#1/1/2024# = DateSerial(2024, 1, 1)) & vbCrLf  ' expect: True True
tnPrint #12:00:00 AM# & "|" & #3:04 PM# & "|" & #1/1/100# & vbCrLf   ' expect: 12:00:00 AM|3:04:00 PM|1/1/100
tnPrint TypeName(Now) & " " & TypeName(Date) & " " & TypeName(Time) & " " & TypeName(Timer) & vbCrLf  ' expect: Date Date Date Single
x = CDate("not a date")   ' expect-error: 13
