#pragma once
// Reading the comma-separated files the programs write (the event log, the box sizes):
// record after record, as the values of their columns.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace kelvane {

// Windows-1252 bytes in, values out with their quotes taken off. A value between double
// quotes may hold commas, line ends and doubled quotes. Records end at LF, a CR before it
// dropped.
class CsvRecordReader
{
public:
    explicit CsvRecordReader(QByteArrayView bytes) : m_bytes(bytes) {}

    // False after the last record; `values` then is empty.
    bool next(QList<QByteArray> *values);

private:
    QByteArrayView m_bytes;
    qsizetype m_at = 0;
};

} // namespace kelvane
