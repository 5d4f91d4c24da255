// Installs the Linux implementations of the platform families. The network
// management back end and the file dialogs (which need widgets) come from the
// caller.
#pragma once

namespace platform {

class NetworkManagement;
class FileDialogs;

void installLinuxPlatform(NetworkManagement *net, FileDialogs *fileDialogs);

} // namespace platform
