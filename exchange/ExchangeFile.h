#pragma once
// A received exchange file from its reading to the writing of the changes
// the user chose.

#include <functional>
#include <string>

#include "exchange/ExchangeApply.h"
#include "exchange/ExchangeFormat.h"
#include "storage/FileSystem.h"

// Reads and decodes an exchange file. False, with a Czech message naming the
// file in `error` (and the parser's words in `detail`), when it is missing,
// unreadable, too large, carries a DOCTYPE, is not well-formed XML or its
// root is not "Root".
bool LoadExchangeFile(const S_FileName& file, TDeserializedData& data, std::string& error, std::string& detail);

// "N položek souboru nelze přečíst." with the Czech plural.
std::string DroppedNodesText(size_t count);

// "U N položek souboru nelze přečíst záznam uložený v databázi; nebudou
// převzaty." for received entities whose stored match cannot be read.
std::string UnreadableStoredText(size_t count);

// Shows the six lists and lets the user tick; true for "Přenést".
using TExchangeChooser = std::function<bool(TExchangeChanges& changes)>;

enum class TExchangeOutcome { Missing, Refused, NoChanges, Cancelled, Applied };

struct TExchangeFileResult {
  TExchangeOutcome outcome = TExchangeOutcome::Missing;
  TExchangeApplyResult applied;
};

// Does everything for one received file: nothing when it does not exist; a
// refused file is reported ("Chyba") and changes nothing; unreadable nodes
// are reported; a file without changes says so ("Soubor neobsahuje žádné
// změny.", unless nodes were dropped); otherwise `choose` shows the lists
// and on "Přenést" the ticked changes are applied.
TExchangeFileResult ProcessExchangeFile(const S_FileName& file, TExchangeIndex& index, const TExchangeChooser& choose);
