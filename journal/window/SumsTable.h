#pragma once

#include <QTableView>

namespace tarvis {

class SummenModell;

// The table of the sums, per month and zone or per telephone number: the texts and figures as
// wide as they are, the cost filling the rest; sorted by a click on a heading, the total last.
class SummenTabelle final : public QTableView {
public:
    explicit SummenTabelle(SummenModell* summen, QWidget* parent = nullptr);

    // Named for the grouping shown, in the report's order until sorted again.
    void ZeigeGruppe(bool jeTelefon);

private:
    int BreiteOhneDurchlauf(int spalte) const;
};

} // namespace tarvis
