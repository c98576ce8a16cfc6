' The prelude's constants and the types of the objects' members
tnPrint TN_LOWERCASE_HEX & TN_EXTRA_HEX_ZEROS & " " & TN_FORMATTING & TN_OUTPUT_SEP & " " & TN_RGB & TN_HSL & TN_HSB & TN_CMY & TN_HTML & TN_HEX & TN_DEC & vbCrLf
tnPrint FMT_iBase & FMT_iStep & FMT_iLargeStep & FMT_iFormat & FMT_oBase & FMT_oFormat & " " & TN_ITEM1 & TN_ITEM2 & TN_ITEM3 & TN_ITEM4 & " " & TN_VAL1 & TN_VAL2 & TN_VAL3 & TN_SHADE & vbCrLf
tnPrint TypeName(tnRed) & " " & TypeName(tnHue) & " " & TypeName(tnHueB) & " " & TypeName(tnCyan) & " " & TypeName(tnColor) & vbCrLf
tnPrint TypeName(tnFmt(0, 0, 0, 0)) & " " & TypeName(tnFmt(0, 0, 5, 0)) & " " & TypeName(tnFmt(2, 0, 0, 0)) & " " & TypeName(tnOption(0)) & " " & TypeName(tnFormat(1, "0")) & vbCrLf
