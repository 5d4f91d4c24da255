// Passwords no one knows: a soft-deleted account gets one, so that no word
// built into the program opens every stripped account, and so that domains
// that enforce complexity accept it.
#pragma once

#include <QString>

// A fresh password from the system's cryptographic random source: `length`
// characters (at least 16) with at least one upper-case letter, one lower-case
// letter, one digit and one symbol. Never show or log it.
QString Generate_Password(int length = 24);
