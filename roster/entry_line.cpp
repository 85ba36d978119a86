#include "roster/entry_line.h"

#include "roster/concatenation.h"

namespace roster {

runtime::Text entry_line(Person const& person)
{
    return concatenate(
        {NameLabel, person.name, SexLabel, person.sex, AgeLabel, person.age, QqLabel, person.qq, LineEnd});
}

} // namespace roster
