// JScript export for the HTML box: lower-case digits when the option says so
function hex2(n) { return (n < 16 ? "0" : "") + n.toString(16); }
var text = hex2(tnRed()) + hex2(tnGreen()) + hex2(tnBlue());
if (!tnOption(TN_LOWERCASE_HEX)) text = text.toUpperCase();
tnOutput(tnFmt(TN_OUTPUT_SEP, TN_HTML, 0, TN_ITEM1) + text + tnFmt(TN_OUTPUT_SEP, TN_HTML, 0, TN_ITEM4));
