#pragma once

#include "platform/ImpresoraPintada.h"

#include <QPageSize>
#include <QSaveFile>

#include <memory>

class QPdfWriter;

// The document as a PDF file. The file appears whole at terminar() or not at
// all: an unfinished or failed document leaves no file behind.
class ImpresoraPdf : public ImpresoraPintada
{
public:
    explicit ImpresoraPdf(const QString& archivo,
                          const QPageSize& papel = QPageSize(QPageSize::Letter));
    ~ImpresoraPdf() override;

    bool terminar() override;
    QString archivoPdf() const override { return archivo_.fileName(); }

private:
    QSaveFile archivo_;
    std::unique_ptr<QPdfWriter> pdf_;
};
