// args: --timeout 200
// One built-in call that runs for seconds without looking at the time limit.
tnPrint("start\n");                           // expect: start
JSON.stringify(new Array(Math.pow(2, 26)).fill("xxxxxxxx")).length;
// expect-timeout
