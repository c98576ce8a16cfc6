// Calls into the host: arguments converted to the declared types.
tnPrint("a");
tnPrint(1.5);
tnPrint(true);
tnPrint(null === null ? "\n" : "");           // expect: a1.5True
clsTNDebug.tnPrint("by object\n");            // expect: by object
try { tnPrint(); } catch (e) { tnPrint(e.number + " " + e.description + "\n"); }
// expect: 450 Wrong number of arguments or invalid property assignment
try { tnPrint(null); } catch (e) { tnPrint(e.number + " " + e.description + "\n"); }
// expect: 94 Invalid use of Null
tnPrint(1e21 + "|" + 0.1 + "\n");             // expect: 1e+21|0.1
tnPrint(undefined);
tnPrint("|" + "\n");                          // expect: |
