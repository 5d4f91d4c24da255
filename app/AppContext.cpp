#include "AppContext.h"

namespace {

// Without a user interface the bar only keeps its numbers.
class DetachedProgress : public ProgressIndicator {
public:
    void setValue(int32_t value) override { m_value = value; }
    int32_t value() const override { return m_value; }
    void setMax(int32_t max) override { m_max = max; }
    int32_t max() const override { return m_max; }

private:
    int32_t m_value = 0;
    int32_t m_max = 100;
};

std::unique_ptr<AppContext> g_context;

} // namespace

ProgressIndicator &AppContext::SharedProgress()
{
    if (!m_sharedProgress)
        m_sharedProgress = m_progressFactory ? m_progressFactory()
                                             : std::make_unique<DetachedProgress>();
    return *m_sharedProgress;
}

AppContext &appContext()
{
    if (!g_context)
        g_context = std::make_unique<AppContext>();
    return *g_context;
}

void resetAppContext() { g_context = std::make_unique<AppContext>(); }
