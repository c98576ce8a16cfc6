// A length past the engine's 32 bits is an error, not a wrapped-round result.
function attempt(f) { try { return String(f().length); } catch (e) { return e.name + ": " + e.message; } }
tnPrint(attempt(function () { return "x".repeat(Math.pow(2, 31)); }) + "\n");      // expect: RangeError: Invalid string length
tnPrint(attempt(function () { return "ab".repeat(Math.pow(2, 30)); }) + "\n");     // expect: RangeError: Invalid string length
tnPrint(attempt(function () { return "x".padStart(Math.pow(2, 32) + 3); }) + "\n"); // expect: RangeError: Invalid string length
tnPrint(attempt(function () { return "x".padEnd(Math.pow(2, 31), "ab"); }) + "\n"); // expect: RangeError: Invalid string length
// Ordinary uses are untouched.
tnPrint("ab".repeat(3) + "|" + "".repeat(Math.pow(2, 40)) + "|" + "x".repeat(0) + "\n");   // expect: ababab||
tnPrint("7".padStart(3, "0") + " " + "7".padEnd(3) + "|" + "abc".padStart(2) + "\n");   // expect: 007 7  |abc
tnPrint(attempt(function () { return "x".repeat(-1); }) + "\n");                   // expect: RangeError: Invalid count value
// The checked versions stay in place.
String.prototype.repeat = function () { return "replaced"; };
tnPrint("x".repeat(2) + " " + String.prototype.repeat.length + "\n");            // expect: xx 1
