// args: --timeout 300
// A string built one piece at a time until the time limit stops it.
var s = "";
for (;;) s += "0123456789";
// expect-timeout
