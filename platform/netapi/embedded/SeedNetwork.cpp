// The seeded network (see Seed.h). Names and memberships come from fixed
// tables, so every new file holds the same accounts.
#include "platform/netapi/embedded/ModelBuilder.h"
#include "platform/netapi/embedded/Passwords.h"
#include "platform/netapi/embedded/Seed.h"
#include "platform/netapi/embedded/Store.h"

#include <vector>

namespace platform::embedded {

namespace {

struct SeedUser {
    const char *name;
    const char *fullName;
    const char *comment;
};

struct SeedMachine {
    const char *name;
    Role role;
    uint32_t type;
    uint32_t major;
    uint32_t minor;
    const char *comment;
};

struct SeedDomain {
    const char *name;
    std::vector<SeedMachine> machines;
    const char *workstationPrefix;
    int workstations;
    std::vector<SeedUser> users;
    std::vector<const char *> groups;
};

constexpr uint32_t Pdc = svtype::Workstation | svtype::Server | svtype::DomainCtrl
    | svtype::Nt | svtype::ServerNt;
constexpr uint32_t Bdc = svtype::Workstation | svtype::Server | svtype::DomainBakCtrl
    | svtype::Nt | svtype::ServerNt;
constexpr uint32_t MemberServer = svtype::Workstation | svtype::Server | svtype::Nt
    | svtype::ServerNt;
constexpr uint32_t SqlServer = MemberServer | svtype::SqlServer;
constexpr uint32_t Workstation = svtype::Workstation | svtype::Server | svtype::Nt;

const std::vector<SeedDomain> &seedDomains()
{
    static const std::vector<SeedDomain> domains = {
        {"HEADOFFICE",
         {{"HQDC01", Role::Primary, Pdc, 5, 0, "Head office primary controller"},
          {"HQDC02", Role::Backup, Bdc, 5, 0, "Head office backup"},
          {"HQDC03", Role::Backup, Bdc, 4, 0, "Head office backup, second floor"},
          {"HQFS01", Role::Member, MemberServer, 5, 0, "File and print server"},
          {"HQSQL01", Role::Member, SqlServer, 5, 0, "Finance database server"},
          {"HQWS042", Role::Member, Workstation, 5, 1, ""}},
         "HQWS", 24,
         {{"jsmith", "John Smith", "Accounts payable"},
          {"JDoe", "Jane Doe", "Head of accounting"},
          {"Julia.Hart", "Julia Hart", "Marketing"},
          {"jbrown", "James Brown", "Help desk"},
          {"Jorge.Ramos", "Jorge Ramos", "IT operations"},
          {"jkowalski", "Jan Kowalski", "Payroll"},
          {"Jens.Madsen", "Jens Madsen", "Facilities"},
          {"benjamin.ross", "Benjamin Ross", "Legal"},
          {"anja.berg", "Anja Berg", "Reception"},
          {"rajesh.kumar", "Rajesh Kumar", "IT operations"},
          {"Marjorie.Lee", "Marjorie Lee", "Human resources"},
          {"grace.jackson", "Grace Jackson", "Marketing"},
          {"alice.martin", "Alice Martin", "Accounts receivable"},
          {"bob.taylor", "Bob Taylor", "Sales support"},
          {"carol.davis", "Carol Davis", "Human resources"},
          {"david.wilson", "David Wilson", "Finance"},
          {"emma.moore", "Emma Moore", "Marketing"},
          {"frank.thomas", "Frank Thomas", "Help desk"},
          {"henry.harris", "Henry Harris", "Legal"},
          {"irene.clark", "Irene Clark", "Finance"},
          {"kevin.lewis", "Kevin Lewis", "IT operations"},
          {"laura.walker", "Laura Walker", "Reception"},
          {"mike.hall", "Mike Hall", "Facilities"},
          {"nina.allen", "Nina Allen", "Payroll"},
          {"oscar.young", "Oscar Young", "Accounts payable"},
          {"paul.king", "Paul King", "Board office"},
          {"rachel.scott", "Rachel Scott", "Marketing"},
          {"steve.green", "Steve Green", "Help desk"},
          {"tina.baker", "Tina Baker", "Finance"},
          {"victor.nelson", "Victor Nelson", "IT operations"},
          {"wendy.hill", "Wendy Hill", "Human resources"},
          {"svc_backup", "Backup service", "Runs the nightly backup"}},
         {"Accounting", "Help Desk", "IT Staff", "Marketing", "Project Jupiter", "None"}},
        {"SALES",
         {{"SLSDC01", Role::Primary, Pdc, 4, 0, "Sales primary controller"},
          {"SLSDC02", Role::Backup, Bdc, 4, 0, "Sales backup controller"},
          {"SLSFS01", Role::Member, MemberServer, 4, 0, "Sales file server"}},
         "SLSWS", 20,
         {{"jgarcia", "Juan Garcia", "Sales, south"},
          {"Jasmine.Wu", "Jasmine Wu", "Key accounts"},
          {"JOHANSSON", "Erik Johansson", "Sales, north"},
          {"jpatel", "Jaya Patel", "Inside sales"},
          {"Joanna.Nowak", "Joanna Nowak", "Sales manager"},
          {"sanjay.mehta", "Sanjay Mehta", "Key accounts"},
          {"hajime.sato", "Hajime Sato", "Export"},
          {"maja.novak", "Maja Novak", "Export"},
          {"adam.price", "Adam Price", "Sales, west"},
          {"beth.cooper", "Beth Cooper", "Sales, east"},
          {"chris.ward", "Chris Ward", "Inside sales"},
          {"diana.ross", "Diana Ross", "Key accounts"},
          {"ed.murphy", "Ed Murphy", "Sales, south"},
          {"fiona.bell", "Fiona Bell", "Sales, north"},
          {"george.hughes", "George Hughes", "Sales manager"},
          {"helen.price", "Helen Price", "Inside sales"},
          {"ian.cox", "Ian Cox", "Sales, west"},
          {"kate.howard", "Kate Howard", "Sales, east"},
          {"leo.gray", "Leo Gray", "Export"},
          {"mia.james", "Mia James", "Key accounts"},
          {"noah.bennett", "Noah Bennett", "Sales, south"},
          {"olivia.wood", "Olivia Wood", "Sales, north"},
          {"peter.barnes", "Peter Barnes", "Inside sales"},
          {"ruth.fisher", "Ruth Fisher", "Sales, west"},
          {"sam.henderson", "Sam Henderson", "Sales, east"},
          {"tom.ellis", "Tom Ellis", "Export"}},
         {"Sales Reps", "Sales Managers", "Key Accounts", "Jakarta Office"}},
        {"ENGINEERING",
         {{"ENGDC01", Role::Primary, Pdc, 5, 0, "Engineering primary controller"},
          {"ENGSQL01", Role::Member, SqlServer, 5, 0, "Build and test database"}},
         "ENGWS", 25,
         {{"jlin", "Jun Lin", "Compiler team"},
          {"Jakob.Fischer", "Jakob Fischer", "Release engineering"},
          {"jmueller", "Jonas Mueller", "Quality assurance"},
          {"JHernandez", "Javier Hernandez", "Firmware"},
          {"dejan.petrovic", "Dejan Petrovic", "Firmware"},
          {"ninja.build", "Build robot", "Runs the nightly build"},
          {"amir.haddad", "Amir Haddad", "Compiler team"},
          {"bella.king", "Bella King", "Quality assurance"},
          {"carl.ortiz", "Carl Ortiz", "Release engineering"},
          {"dora.kim", "Dora Kim", "Firmware"},
          {"eli.ford", "Eli Ford", "Tools"},
          {"fay.grant", "Fay Grant", "Tools"},
          {"gus.stone", "Gus Stone", "Compiler team"},
          {"hana.ito", "Hana Ito", "Quality assurance"},
          {"ivan.orlov", "Ivan Orlov", "Firmware"},
          {"kai.weber", "Kai Weber", "Release engineering"},
          {"lena.vogel", "Lena Vogel", "Tools"},
          {"max.braun", "Max Braun", "Compiler team"},
          {"nora.lund", "Nora Lund", "Quality assurance"},
          {"otto.kraus", "Otto Kraus", "Firmware"},
          {"pia.holm", "Pia Holm", "Tools"},
          {"ravi.shah", "Ravi Shah", "Compiler team"},
          {"sara.berg", "Sara Berg", "Release engineering"},
          {"theo.marx", "Theo Marx", "Quality assurance"},
          {"ulla.stark", "Ulla Stark", "Firmware"},
          {"vera.lang", "Vera Lang", "Tools"}},
         {"Developers", "QA", "Build Masters", "Project Jupiter"}},
    };
    return domains;
}

constexpr size_t LinkedWorkstations = 12;

std::string numbered(const char *prefix, int number)
{
    std::string digits = std::to_string(number);
    return prefix + std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits;
}

void seedMachineShares(ModelBuilder &build, int64_t machineId, Role role, bool fileServer)
{
    build.addShare(machineId, "ADMIN$", stype::DiskTree | stype::Special, "Remote Admin",
                   "C:\\WINNT");
    build.addShare(machineId, "C$", stype::DiskTree | stype::Special, "Default share", "C:\\");
    build.addShare(machineId, "IPC$", stype::Ipc | stype::Special, "Remote IPC", "");
    if (role != Role::Member)
        build.addShare(machineId, "NETLOGON", stype::DiskTree, "Logon server share",
                       "C:\\WINNT\\system32\\Repl\\Import\\Scripts");
    if (!fileServer)
        return;
    build.addShare(machineId, "D$", stype::DiskTree | stype::Special, "Default share", "D:\\");
    build.addShare(machineId, "Public", stype::DiskTree, "Files for everyone", "D:\\Public");
    build.addShare(machineId, "Projects", stype::DiskTree, "Project folders", "D:\\Projects");
    build.addShare(machineId, "Users", stype::DiskTree, "Home folders", "D:\\Users");
    build.addShare(machineId, "LaserJet4", stype::PrintQ, "Second floor printer", "");
    build.addShare(machineId, "COM1", stype::Device, "Modem", "");
}

// One domain: its machines, computer accounts, users and groups. Users join
// the groups round-robin. Returns the domain id.
int64_t seedDomain(ModelBuilder &build, const SeedDomain &seed)
{
    const int64_t domainId = build.addDomain(seed.name);
    const int64_t samId = build.samOfDomain(domainId);
    for (const SeedMachine &machine : seed.machines) {
        const int64_t id = build.addMachine(domainId, machine.name, machine.role, machine.type,
                                            machine.major, machine.minor, machine.comment);
        const bool fileServer = std::string(machine.name).find("FS") != std::string::npos;
        seedMachineShares(build, id, machine.role, fileServer);
    }
    // The first workstations carry the user link of the domain's first users;
    // none of them is a machine on the network, so they read as switched off.
    for (int i = 1; i <= seed.workstations; ++i) {
        const size_t user = size_t(i - 1);
        const std::string link = user < seed.users.size() && user < LinkedWorkstations
            ? std::string(seed.name) + "\\" + seed.users[user].name
            : std::string();
        build.addComputer(samId, numbered(seed.workstationPrefix, i), false, link);
    }
    std::vector<int64_t> groups;
    for (const char *group : seed.groups)
        groups.push_back(build.addGroup(samId, group, std::string(group) + " members", false));
    for (size_t i = 0; i < seed.users.size(); ++i) {
        const SeedUser &user = seed.users[i];
        const int64_t id = build.addUser(samId, user.name, user.fullName, user.comment);
        build.addGroupMember(groups[i % groups.size()], id);
    }
    return domainId;
}

// Members of other domains in local groups: the domain-local "Remote Access"
// and the file server's "File Admins".
void seedCrossDomainMembers(Database &db, ModelBuilder &build, int64_t head, int64_t sales,
                            int64_t eng)
{
    const int64_t headSam = build.samOfDomain(head);
    const int64_t salesSam = build.samOfDomain(sales);
    const int64_t engSam = build.samOfDomain(eng);
    const int64_t remote = build.addGroup(headSam, "Remote Access", "Dial-in users", true);
    build.addAliasMember(remote, build.accountId(headSam, "jsmith"), 0);
    build.addAliasMember(remote, build.accountId(salesSam, "jgarcia"), 0);
    build.addAliasMember(remote, 0, build.groupId(engSam, "Developers", false));
    MachineRow fileServer;
    findMachine(db, "HQFS01", fileServer);
    const int64_t fsSam = fileServer.samId;
    const int64_t admins = build.addGroup(fsSam, "File Admins", "Manage the shares", true);
    build.addAliasMember(admins, 0, build.groupId(headSam, "IT Staff", false));
    build.addAliasMember(admins, build.accountId(salesSam, "Joanna.Nowak"), 0);
    build.addGroupMember(build.groupId(headSam, "None", false),
                         build.accountId(headSam, "jbrown"));
}

} // namespace

bool seedNetwork(Store &store)
{
    ModelBuilder build(store.db(), store.now(), hashPassword(SeedPassword));
    const std::vector<SeedDomain> &domains = seedDomains();
    const int64_t head = seedDomain(build, domains[0]);
    const int64_t sales = seedDomain(build, domains[1]);
    const int64_t eng = seedDomain(build, domains[2]);
    for (int64_t trusted : {sales, eng}) {
        build.addTrust(head, trusted);
        build.addTrust(trusted, head);
    }
    seedCrossDomainMembers(store.db(), build, head, sales, eng);
    MachineRow local;
    if (findMachine(store.db(), "HQWS042", local))
        build.setLocal(local.id);
    return build.ok() && local.id != 0;
}

} // namespace platform::embedded
