// jscript: an error on the third line of the script
tnPrint("before");
undefinedFunction();
tnPrint("never");
