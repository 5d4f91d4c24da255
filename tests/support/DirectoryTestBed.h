// The doubles a directory-layer test runs on: the platform and seam doubles,
// with the in-memory account database as the network-management family. The
// domain SALES has the controller \\DC1; every other domain has none.
#pragma once

#include "FakeDirectory.h"
#include "ScriptedSeams.h"
#include "TestPlatform.h"

namespace testing_support {

struct DirectoryTestBed {
    TestPlatform platform;
    ScriptedSeams seams;
    FakeDirectory net;

    DirectoryTestBed()
    {
        platform::Families families = platform::current();
        families.net = &net;
        platform::install(families);
        net.controllers["SALES"] = "\\\\DC1";
    }
};

} // namespace testing_support
