#include "AccountEnumeration.h"

#include "NetStrings.h"
#include "ServerResolution.h"
#include "app/AppContext.h"
#include "app/ListControl.h"
#include "app/Seams.h"
#include "platform/NetworkManagement.h"
#include "platform/Platform.h"

namespace {

using platform::NetStatus;
namespace status = platform::status;

constexpr uint32_t PreferredMaxLength = 128000;
constexpr uint32_t UsersPerCall = 1000;
constexpr uint32_t MachinesPerCall = 2700;
constexpr uint32_t DisplayLevelUsers = 1;
constexpr uint32_t DisplayLevelMachines = 2;
constexpr uint32_t ServerLevel = 100;

// Where the listing goes: the caller's control when there is one, else the
// collection.
class Receiver {
public:
    Receiver(ListControl *list, QStringList &items) : m_list(list), m_items(items) {}
    void clear() { m_list ? m_list->clear() : m_items.clear(); }
    void add(const QString &name) { m_list ? m_list->addItem(name) : m_items.append(name); }
    int32_t count() const { return m_list ? m_list->count() : int32_t(m_items.size()); }
    bool isControl() const { return m_list != nullptr; }

private:
    ListControl *m_list;
    QStringList &m_items;
};

// One call's worth of names, in service order, and where the next call goes on.
struct Chunk {
    NetStatus status = status::Success;
    QStringList names;
    uint32_t total = 0;
};

struct Cursor {
    std::string server;
    std::string domain;   // kinds 3 to 6: the caller's Server text
    uint32_t index = 0;   // kinds 0 and 1: the next index
    uint32_t resume = 0;  // kind 2: the resume handle
};

Chunk displayChunk(Cursor &cursor, int32_t kind)
{
    const bool users = kind == enum_kind::Users;
    std::vector<platform::NetDisplayRecord> records;
    uint32_t returned = 0;
    Chunk chunk;
    chunk.status = platform::net().NetQueryDisplayInformation(
        cursor.server, users ? DisplayLevelUsers : DisplayLevelMachines, cursor.index,
        users ? UsersPerCall : MachinesPerCall, PreferredMaxLength, returned, records);
    for (const auto &record : records)
        chunk.names.append(Get_StrFromPtr(record.name));
    if (!records.empty())
        cursor.index = records.back().nextIndex;
    return chunk; // the display calls report no total: it counts as 0
}

Chunk groupChunk(Cursor &cursor, bool localGroup)
{
    std::vector<platform::GroupInfo1> records;
    uint32_t read = 0;
    Chunk chunk;
    auto &net = platform::net();
    chunk.status = localGroup
        ? net.NetLocalGroupEnum(cursor.server, 0, records, PreferredMaxLength, read,
                                chunk.total, cursor.resume)
        : net.NetGroupEnum(cursor.server, 0, records, PreferredMaxLength, read, chunk.total,
                           cursor.resume);
    for (const auto &record : records)
        chunk.names.append(Get_StrFromPtr(record.name));
    return chunk;
}

uint32_t serverTypeOf(int32_t kind)
{
    switch (kind) {
    case enum_kind::BackupControllers:
        return platform::svtype::DomainBakCtrl;
    case enum_kind::SqlServers:
        return platform::svtype::SqlServer;
    case enum_kind::NtServers:
        return platform::svtype::ServerNt | platform::svtype::DomainCtrl
            | platform::svtype::DomainBakCtrl;
    default:
        return platform::svtype::DomainEnum;
    }
}

Chunk serverChunk(Cursor &cursor, int32_t kind)
{
    std::vector<platform::ServerInfo101> records;
    uint32_t read = 0;
    Chunk chunk;
    cursor.resume = 0;
    chunk.status = platform::net().NetServerEnum(cursor.server, ServerLevel, records,
                                                 PreferredMaxLength, read, chunk.total,
                                                 serverTypeOf(kind), cursor.domain,
                                                 cursor.resume);
    for (const auto &record : records)
        chunk.names.append(Get_StrFromPtr(record.name));
    return chunk;
}

Chunk nextChunk(Cursor &cursor, int32_t kind, bool localGroup)
{
    if (kind == enum_kind::Users || kind == enum_kind::Computers)
        return displayChunk(cursor, kind);
    if (kind == enum_kind::Groups)
        return groupChunk(cursor, localGroup);
    return serverChunk(cursor, kind);
}

bool isListable(const QString &name)
{
    return !name.isEmpty() && name.toUpper() != QStringLiteral("NONE");
}

bool beginsWith(const QString &name, const QString &prefix)
{
    return name.size() >= prefix.size()
        && name.left(prefix.size()).toUpper() == prefix.toUpper();
}

// Adds the chunk's names to the receiver; stops at a prefix match.
void receive(const Chunk &chunk, int32_t kind, QString &prefix, Receiver &receiver)
{
    for (QString name : chunk.names) {
        if (kind == enum_kind::Computers && name.size() > 1 && name.endsWith(u'$'))
            name.chop(1);
        if (!isListable(name))
            continue;
        if (!prefix.isEmpty() && beginsWith(name, prefix)) {
            receiver.clear();
            prefix = PrefixFoundMarker;
        }
        receiver.add(name);
        if (prefix == PrefixFoundMarker)
            return;
    }
}

bool isFinished(const Chunk &chunk, int32_t kind, const QString &prefix)
{
    // NetServerEnum's resume handle is reserved and must be zero (NetServerEnum
    // function, lmserver.h), so every call starts at the first server: a second
    // call would only list the same servers again.
    const bool serverKind = kind >= enum_kind::BackupControllers;
    // The display calls report no total (it counts as 0): they end on an
    // empty chunk, which also ends a group listing that could not advance.
    return prefix == PrefixFoundMarker || uint32_t(chunk.names.size()) == chunk.total
        || chunk.names.isEmpty() || chunk.status == status::Success || serverKind;
}

} // namespace

int32_t Enum_Accounts(const QString &server, int32_t kind, QStringList &items, bool localGroup,
                      QString &prefix, ListControl *list)
{
    Cursor cursor;
    if (!Resolve_Server(server, cursor.server))
        return 0;
    cursor.domain = To_NetStr(server);
    Receiver receiver(list, items);

    const bool known = kind >= enum_kind::Users && kind <= enum_kind::Domains;
    for (bool more = known; more;) {
        const Chunk chunk = nextChunk(cursor, kind, localGroup);
        appContext().LastNetStatus = chunk.status;
        if (chunk.status != status::Success && chunk.status != status::MoreData)
            return 0;
        receive(chunk, kind, prefix, receiver);
        if (!receiver.isControl())
            seams::doEvents();
        more = !isFinished(chunk, kind, prefix);
    }
    seams::doEvents();
    return receiver.count();
}
