// The platform families the program runs on, chosen once at start-up.
// Tests install doubles of the families they exercise.
#pragma once

namespace platform {

class NetworkManagement;
class SecurityLogon;
class TerminalServer;
class NetworkConnections;
class Shell;
class SystemInfo;
class FileDialogs;
class SettingsStore;

struct Families {
    NetworkManagement *net = nullptr;
    SecurityLogon *security = nullptr;
    TerminalServer *terminalServer = nullptr;
    NetworkConnections *connections = nullptr;
    Shell *shell = nullptr;
    SystemInfo *system = nullptr;
    FileDialogs *fileDialogs = nullptr;
    SettingsStore *settings = nullptr;
};

// The families in use. The installer keeps ownership of the objects.
Families &current();
void install(const Families &families);

inline NetworkManagement &net() { return *current().net; }
inline SecurityLogon &security() { return *current().security; }
inline TerminalServer &terminalServer() { return *current().terminalServer; }
inline NetworkConnections &connections() { return *current().connections; }
inline Shell &shell() { return *current().shell; }
inline SystemInfo &system() { return *current().system; }
inline FileDialogs &fileDialogs() { return *current().fileDialogs; }
inline SettingsStore &settings() { return *current().settings; }

} // namespace platform
