#pragma once

#include "core/common/result.h"
#include "core/db/dataset.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace korvessa {

// The bank kinds of the note banks, in the order of their tabs.
QStringList noteBankKinds();

// Every note bank (common to all companies), keyed by its code.
Status openNoteBanks(DataSet& banks, const QSqlDatabase& db);
QVariantMap newNoteBank(const QString& kind);

// The currencies of `company`.
Status openCurrencies(DataSet& currencies, const QSqlDatabase& db, const QString& company);
QVariantMap newCurrency(const QString& company);

// The amount format of a currency with `decimals` places: "%.2f".
QString currencyFormat(int decimals);

// Keeps cuery_for in step with cuery_dec on every change of the decimals.
void keepFormatWithDecimals(DataSet& currencies);

// Duplicate checks for a key typed into `row` of the held list, before it is
// stored. They look at the database and at the other rows the list holds, so
// that two new rows with one key cannot both be saved. An empty text, or the
// row's own value typed again, passes.
Status checkBankCode(const DataSet& banks, int row, const QString& text);
Status checkCurrencyCode(const DataSet& currencies, int row, const QString& company, const QString& text);
Status checkDepositKind(const DataSet& kinds, int row, const QString& text);

} // namespace korvessa
