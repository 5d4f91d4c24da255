#include "platform/netapi/embedded/Schema.h"

#include "platform/netapi/embedded/Database.h"

#include <iterator>

namespace platform::embedded {

namespace {

// Version 1: the network. An account database ("sam") belongs to a domain (its
// controllers share it) or to one member machine. Users, computers and groups
// share one name space per database (upper_name), checked by the code.
constexpr const char *Version1 = R"SQL(
CREATE TABLE sams (
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL,
    next_rid INTEGER NOT NULL DEFAULT 1000,
    min_password_length INTEGER NOT NULL DEFAULT 0,
    password_complexity INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE domains (
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL,
    upper_name TEXT NOT NULL UNIQUE,
    sam_id INTEGER NOT NULL REFERENCES sams(id)
);
CREATE TABLE trusts (
    trusting_id INTEGER NOT NULL REFERENCES domains(id) ON DELETE CASCADE,
    trusted_id INTEGER NOT NULL REFERENCES domains(id) ON DELETE CASCADE,
    PRIMARY KEY (trusting_id, trusted_id)
);
CREATE TABLE machines (
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL,
    upper_name TEXT NOT NULL UNIQUE,
    domain_id INTEGER NOT NULL REFERENCES domains(id),
    sam_id INTEGER NOT NULL REFERENCES sams(id),
    role INTEGER NOT NULL,
    type INTEGER NOT NULL,
    version_major INTEGER NOT NULL,
    version_minor INTEGER NOT NULL,
    comment TEXT NOT NULL DEFAULT '',
    reachable INTEGER NOT NULL DEFAULT 1,
    is_local INTEGER NOT NULL DEFAULT 0,
    share_level2_denied INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE accounts (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    sam_id INTEGER NOT NULL REFERENCES sams(id),
    rid INTEGER NOT NULL,
    name TEXT NOT NULL,
    upper_name TEXT NOT NULL,
    password_hash TEXT NOT NULL,
    password_set INTEGER NOT NULL,
    must_change INTEGER NOT NULL DEFAULT 0,
    priv INTEGER NOT NULL DEFAULT 1,
    home_dir TEXT NOT NULL DEFAULT '',
    comment TEXT NOT NULL DEFAULT '',
    flags INTEGER NOT NULL,
    script_path TEXT NOT NULL DEFAULT '',
    auth_flags INTEGER NOT NULL DEFAULT 0,
    full_name TEXT NOT NULL DEFAULT '',
    usr_comment TEXT NOT NULL DEFAULT '',
    parms TEXT NOT NULL DEFAULT '',
    workstations TEXT NOT NULL DEFAULT '',
    acct_expires INTEGER NOT NULL DEFAULT 4294967295,
    max_storage INTEGER NOT NULL DEFAULT 4294967295,
    logon_hours BLOB,
    logon_server TEXT NOT NULL DEFAULT '\\*',
    country_code INTEGER NOT NULL DEFAULT 0,
    code_page INTEGER NOT NULL DEFAULT 0,
    primary_group_rid INTEGER NOT NULL DEFAULT 513,
    profile TEXT NOT NULL DEFAULT '',
    home_dir_drive TEXT NOT NULL DEFAULT '',
    locked INTEGER NOT NULL DEFAULT 0,
    machine INTEGER GENERATED ALWAYS AS ((flags & 12288) != 0) STORED,
    UNIQUE (sam_id, upper_name)
);
CREATE INDEX accounts_display ON accounts (sam_id, machine, upper_name);
CREATE TABLE controller_logons (
    account_id INTEGER NOT NULL REFERENCES accounts(id) ON DELETE CASCADE,
    machine_id INTEGER NOT NULL REFERENCES machines(id) ON DELETE CASCADE,
    last_logon INTEGER NOT NULL DEFAULT 0,
    last_logoff INTEGER NOT NULL DEFAULT 0,
    bad_pw_count INTEGER NOT NULL DEFAULT 0,
    num_logons INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (account_id, machine_id)
);
CREATE TABLE groups (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    sam_id INTEGER NOT NULL REFERENCES sams(id),
    rid INTEGER NOT NULL,
    local INTEGER NOT NULL,
    builtin INTEGER NOT NULL DEFAULT 0,
    name TEXT NOT NULL,
    upper_name TEXT NOT NULL,
    comment TEXT NOT NULL DEFAULT '',
    UNIQUE (sam_id, upper_name)
);
CREATE INDEX groups_display ON groups (sam_id, local, upper_name);
CREATE TABLE group_members (
    id INTEGER PRIMARY KEY,
    group_id INTEGER NOT NULL REFERENCES groups(id) ON DELETE CASCADE,
    account_id INTEGER NOT NULL REFERENCES accounts(id) ON DELETE CASCADE,
    UNIQUE (group_id, account_id)
);
CREATE INDEX group_members_account ON group_members (account_id);
CREATE TABLE alias_members (
    id INTEGER PRIMARY KEY,
    alias_id INTEGER NOT NULL REFERENCES groups(id) ON DELETE CASCADE,
    account_id INTEGER REFERENCES accounts(id) ON DELETE CASCADE,
    member_group_id INTEGER REFERENCES groups(id) ON DELETE CASCADE,
    CHECK ((account_id IS NULL) != (member_group_id IS NULL))
);
CREATE UNIQUE INDEX alias_members_account ON alias_members (alias_id, account_id)
    WHERE account_id IS NOT NULL;
CREATE UNIQUE INDEX alias_members_group ON alias_members (alias_id, member_group_id)
    WHERE member_group_id IS NOT NULL;
CREATE INDEX alias_members_by_account ON alias_members (account_id);
CREATE INDEX alias_members_by_group ON alias_members (member_group_id);
CREATE TABLE shares (
    id INTEGER PRIMARY KEY,
    machine_id INTEGER NOT NULL REFERENCES machines(id) ON DELETE CASCADE,
    netname TEXT NOT NULL,
    upper_name TEXT NOT NULL,
    type INTEGER NOT NULL,
    remark TEXT NOT NULL DEFAULT '',
    permissions INTEGER NOT NULL DEFAULT 0,
    max_uses INTEGER NOT NULL DEFAULT 4294967295,
    current_uses INTEGER NOT NULL DEFAULT 0,
    path TEXT NOT NULL DEFAULT '',
    UNIQUE (machine_id, upper_name)
);
-- Where a display listing resumes when the entry its index named was deleted.
CREATE TABLE display_marks (
    table_kind INTEGER NOT NULL,
    id INTEGER NOT NULL,
    upper_name TEXT NOT NULL,
    PRIMARY KEY (table_kind, id)
);
)SQL";

// Version 2: an account's userParameters value as bytes, which usri3_parms
// (text) cannot carry; Terminal Server settings live in it.
constexpr const char *Version2 = R"SQL(
ALTER TABLE accounts ADD COLUMN user_parameters BLOB;
)SQL";

constexpr const char *Migrations[] = {Version1, Version2};

} // namespace

int64_t schemaVersion()
{
    return int64_t(std::size(Migrations));
}

bool migrate(Database &db, int64_t fromVersion)
{
    if (fromVersion < 0 || fromVersion > schemaVersion())
        return false;
    for (int64_t version = fromVersion; version < schemaVersion(); ++version) {
        if (!db.exec(Migrations[version]))
            return false;
    }
    return db.setUserVersion(schemaVersion());
}

} // namespace platform::embedded
