// args: --timeout 0
// Two strings of 2^30 characters joined: a length the engine cannot hold.
var s = "x".repeat(Math.pow(2, 30) - 1) + "x";
tnPrint((s + s).charCodeAt(1));
// expect-error: 7
