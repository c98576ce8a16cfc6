// JavaScript converter: "hue, saturation, lightness" in internal units
var parts = tnConverter().split(",");
for (var i = 0; i < 3; i++) parts[i] = parseInt(parts[i], 10);
tnConverterHSL(parts[0], parts[1], parts[2]);
tnConverterCMY(255 - tnRed(), 0, 255);
tnPrint("now " + tnColor() + "\r\n");
