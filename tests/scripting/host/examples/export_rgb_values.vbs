' VBScript export for the RGB box: values only, the scheme adds separators
tnOutValues tnRed / 255 * 100, tnGreen / 255 * 100, tnBlue / 255 * 100
tnPrint "HSL " & tnHue & " " & tnSat & " " & tnLum & vbCrLf
tnPrint "HSB " & tnHueB & " " & tnSatB & " " & tnLumB & vbCrLf
tnPrint "CMY " & tnCyan & " " & tnMagenta & " " & tnYellow & vbCrLf
