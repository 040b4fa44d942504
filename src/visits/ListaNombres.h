#pragma once

#include <QListView>
#include <QStringList>

#include <optional>

class QLineEdit;

// The drop list of names under a name field: the names offered for what was
// typed and, when more names begin with it, a last line that says so and
// cannot be chosen.
class ListaNombres : public QListView
{
    Q_OBJECT

public:
    ListaNombres(QLineEdit* campo, const QString& textoMas, QWidget* padre);

    // Shows the names right under the field; hides the list when there is none.
    void fijarNombres(const QStringList& nombres, bool hayMas);

    // The name on the current line; nothing on the "more names" line.
    std::optional<QString> elegido() const;

    QLineEdit* campo() const { return campo_; }

private:
    QLineEdit* campo_;
    QString textoMas_;
};
