// JScript named on the first line wins over the file's extension
var parts = ["js", "ran"];
tnPrint(parts.join(" ") + "\n"); // ' expect: js ran
