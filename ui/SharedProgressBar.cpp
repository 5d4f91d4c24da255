#include "SharedProgressBar.h"

#include "CProgressBar.h"

#include "app/AppContext.h"

#include <memory>

void installSharedProgressBar()
{
    appContext().setProgressFactory([] { return std::make_unique<CProgressBar>(); });
}

CProgressBar *sharedProgressBar()
{
    return dynamic_cast<CProgressBar *>(&appContext().SharedProgress());
}
