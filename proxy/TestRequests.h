// Test builds only: steps a test hands a copy of the program over the
// credential channel, carried out once its main window shows, with every
// message box written to standard output and answered (No to a question):
//
//   report                        "report", identity, main caption, process id
//   adduser NAME PASSWORD         a user in the workstation's domain, through
//                                 the directory layer, logged as the add-user
//                                 window logs it; prints its status
//   login DOMAIN USER PASSWORD    the proxy window, through its menu item; the
//                                 steps after this one go to the new copy
//   waitfile PATH                 until PATH exists (a minute at most)
//   quit                          ends the copy
//
// Fields are separated by tabs. The program built without tests has none of
// this: its copies ignore any steps they are handed.
#pragma once

#include <QStringList>

void RunTestSteps(const QStringList &steps);
