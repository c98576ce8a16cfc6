#pragma once
// Closes the worker process off from files, the network and other programs.
// JScript has no way to reach them; this is for a script that finds a way to
// run code of its own through a fault in the engine.

namespace tintwell::script {

// From now on, this process (all its threads) cannot open or create files,
// make sockets, start programs, or signal or read other processes; such calls
// fail with EPERM. Threads can still be started. Returns false where the
// system offers no such filter (the worker then runs without it).
bool closeWorkerSandbox();

} // namespace tintwell::script
