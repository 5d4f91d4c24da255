// An editable drop-down list whose typed text stays typed text.
#pragma once

class QComboBox;

// Makes `combo` editable, never adds typed text to its list, never completes
// what is typed (the list stays for picking), and reports
// "activated" (the window's Click handler) only for a choice from the list:
// Qt also reports it when the field loses the focus holding the text of a list
// entry, which would run the Click handler on a mere Tab.
void Make_TypedComboBox(QComboBox *combo);
