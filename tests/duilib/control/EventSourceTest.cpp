// Event sources: delegates run in the order they were added, a false answer stops the
// rest, equal delegates are kept once, and delegates may change the source while it runs.

#include "duilib/control/EventSource.h"

#include <gtest/gtest.h>

#include <string>

using DuiLib::CEventSource;
using DuiLib::MakeDelegate;

namespace {

class Recorder {
public:
    explicit Recorder(std::string* log, char tag, bool answer = true) : m_log(log), m_tag(tag), m_answer(answer) {}
    bool OnEvent(void* param)
    {
        *m_log += m_tag;
        if (param != nullptr) {
            *m_log += *static_cast<const char*>(param);
        }
        return m_answer;
    }

private:
    std::string* m_log;
    char m_tag;
    bool m_answer;
};

std::string g_staticLog;
bool StaticHandler(void*)
{
    g_staticLog += 's';
    return true;
}

TEST(EventSource, RunsInOrderAndStopsAtTheFirstFalse)
{
    std::string log;
    Recorder a(&log, 'a');
    Recorder b(&log, 'b', false);
    Recorder c(&log, 'c');
    CEventSource source;
    EXPECT_FALSE(static_cast<bool>(source));
    EXPECT_TRUE(source(nullptr)) << "an empty source lets the caller go on";
    source += MakeDelegate(&a, &Recorder::OnEvent);
    source += MakeDelegate(&b, &Recorder::OnEvent);
    source += MakeDelegate(&c, &Recorder::OnEvent);
    source += MakeDelegate(&a, &Recorder::OnEvent); // kept once
    EXPECT_TRUE(static_cast<bool>(source));
    const char param = '!';
    EXPECT_FALSE(source(const_cast<char*>(&param)));
    EXPECT_EQ("a!b!", log);

    source -= MakeDelegate(&b, &Recorder::OnEvent);
    log.clear();
    EXPECT_TRUE(source(nullptr));
    EXPECT_EQ("ac", log);
}

TEST(EventSource, PlainFunctionsAndCopiesAreIndependent)
{
    g_staticLog.clear();
    CEventSource source;
    source += StaticHandler;
    source += StaticHandler;
    CEventSource copy(source);
    source -= StaticHandler;
    EXPECT_FALSE(static_cast<bool>(source));
    EXPECT_TRUE(copy(nullptr));
    EXPECT_EQ("s", g_staticLog);
}

// A delegate that removes itself and adds another while the source runs.
class SelfRemover {
public:
    SelfRemover(CEventSource* source, Recorder* next) : m_source(source), m_next(next) {}
    bool OnEvent(void*)
    {
        *m_source -= MakeDelegate(this, &SelfRemover::OnEvent);
        *m_source += MakeDelegate(m_next, &Recorder::OnEvent);
        ++calls;
        return true;
    }
    int calls = 0;

private:
    CEventSource* m_source;
    Recorder* m_next;
};

TEST(EventSource, DelegatesMayRemoveThemselvesAndAddOthersWhileFiring)
{
    std::string log;
    Recorder after(&log, 'x');
    Recorder added(&log, 'n');
    CEventSource source;
    SelfRemover remover(&source, &added);
    source += MakeDelegate(&remover, &SelfRemover::OnEvent);
    source += MakeDelegate(&after, &Recorder::OnEvent);
    EXPECT_TRUE(source(nullptr));
    EXPECT_EQ("xn", log) << "the delegate after the removed one still runs, the new one runs at the end";
    log.clear();
    EXPECT_TRUE(source(nullptr));
    EXPECT_EQ(1, remover.calls);
    EXPECT_EQ("xn", log);
}

} // namespace
