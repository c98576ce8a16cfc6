#pragma once
// Tells whether a QJSEngine's built-in objects are still as they were.
//
// Building an engine costs about a millisecond, and export scripts run by the
// dozen while a slider moves, so the worker runs script after script on one
// engine - but only while nothing a script could change and a later script
// could see has changed. take() records, word for word, every object the
// engine starts with (its built-ins, the global object and the host bindings
// reachable from it); unchanged() compares them. Any difference at all - a
// property added, replaced or deleted, a prototype or attribute changed, an
// object frozen - means the engine is replaced before the next run.
//
// Scripts run inside a function of their own, so their declarations never
// reach the global object; only what they do to shared objects shows here.
//
// The comparison reads the engine's own object layout, which is not public
// interface: it is tied to the Qt version the worker is built with, and a
// layout it does not recognise makes it report a difference every time
// (slower, never wrong).

#include <QList>

#include <memory>
#include <vector>

class QJSEngine;

namespace tintwell::script {

class EngineSnapshot
{
public:
    EngineSnapshot();
    ~EngineSnapshot();
    EngineSnapshot(const EngineSnapshot &) = delete;
    EngineSnapshot &operator=(const EngineSnapshot &) = delete;

    // Records the engine as it is now. Call on the engine's thread, with no
    // script running.
    void take(QJSEngine &js);
    // Whether take() succeeded and everything it recorded is unchanged. The
    // last-match state of regular expressions ($1 and the like), which every
    // match updates, is put back first rather than counted as a change.
    bool unchanged(QJSEngine &js);
    // Objects recorded; for tests.
    int objectCount() const;

private:
    struct Data;
    std::unique_ptr<Data> d;
};

} // namespace tintwell::script
