#pragma once
// A host with a headless colour session, the Standard scheme and a debug pane
// that records, as the editor's Execute Script would drive it.

#include "core/appcontext.h"
#include "core/scheme.h"
#include "scripting/host/headlesssession.h"
#include "scripting/host/scripthost.h"

#include <gtest/gtest.h>

namespace tintwell::script::test {

class RecordingPane : public DebugSink
{
public:
    void PrintDebug(const QString &data) override { text += data; }
    bool debugIsEmpty() const override { return text.isEmpty(); }
    bool debugEndsWithLineBreak() const override { return text.endsWith(QLatin1String("\r\n")); }
    QString text;
};

class HostFixture : public ::testing::Test
{
protected:
    HostFixture()
    {
        context.Messages = &messages;
        LoadDefaultScheme(context.Scheme, kSchemeStandard, messages);
        context.Factors = ComputeScaleFactors(context.Scheme);
        host = std::make_unique<ScriptHost>(context, session);
        session.bindHost(host.get());
        host->attachDebugSink(&pane);
    }

    // Execute Script as the editor runs it: with the echo flag.
    HostRunResult execute(const QString &code)
    {
        context.Script.Echo = true;
        const HostRunResult r = host->RunScript(code);
        context.Script.Echo = false;
        return r;
    }
    // What a script that must run cleanly printed in an editor run: the lines
    // after the "--- Executing" header, without the last one.
    QString printed(const QString &code)
    {
        pane.text.clear();
        EXPECT_EQ(execute(code).outcome, RunOutcome::Ok) << code.toStdString() << "\n" << pane.text.toStdString();
        const qsizetype start = pane.text.indexOf(QLatin1String("---\r\n"));
        const qsizetype end = pane.text.lastIndexOf(QLatin1String("\r\n"));
        return start < 0 || end < start + 5 ? QString() : pane.text.mid(start + 5, end - start - 3);
    }

    RecordingMessages messages;
    AppContext context;
    HeadlessColorSession session{context};
    std::unique_ptr<ScriptHost> host;
    RecordingPane pane;
};

} // namespace tintwell::script::test

// Readable failures.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
