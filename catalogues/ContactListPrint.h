#pragma once
// "Tisknout" of the contact list: the shown rows, in their order, under the
// title "Seznam zákazníků".

class ITextCanvas;
class TContactList;

// Asks "Máte zapnutý filtr. ..." ("Tisk", Yes/No) when a search text narrows
// the list; false when the user says No.
bool ConfirmContactListPrint(const TContactList& list);
// The title at size 20 in the middle of the page, two new lines, then the
// list with its four columns at size 10. `firstPage`..`lastPage` limit the
// output as the print dialogue chose.
void PrintContactList(const TContactList& list, ITextCanvas& canvas, int firstPage = 1, int lastPage = 999);
