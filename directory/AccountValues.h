// The service's records as the ordered values Get_AccountInfo hands out.
#pragma once

#include "platform/NetworkManagement.h"

#include <QVariantList>

void Append_UserValues(const platform::UserInfo3 &info, QVariantList &items);
void Append_ComputerValues(const platform::UserInfo3 &info, QVariantList &items);
void Append_GroupValues(const platform::GroupInfo1 &info, QVariantList &items);
void Append_MachineValues(const platform::ServerInfo101 &info, QVariantList &items);

// The date of a stored time (seconds since 1970): today minus the whole days
// between now and then, both counted in local time, so a time to come gives a
// date after today.
QDate Date_FromNetTime(uint32_t seconds);
