// Saving the observation rows as an observation file, the one writer of
// every front end: a comment line naming the program and its version, then
// one data line for each row the estimation would use (a damage of 1 or
// more), as the seven integers it reads. Code page 932 with CR LF, as
// players keep their files. Loading the file gives back the same rows.
#pragma once

#include <string>

class Form;

// The name a save offers first.
inline constexpr char SavedFileName[] = "観測データ.txt";

// Why nothing is saved when no row has a damage of 1 or more: such a file
// would only fail to load.
inline constexpr char NoRowToSaveText[] =
    "保存する観測がありません。クリダメが 1 以上の行を入力してください。";

struct SavedObservations {
    int rowCount;      // data lines written; 0: nothing worth saving
    std::string bytes; // the whole file
};

// Attribute and chain lists without a selection are written as codes the
// loader turns back into no selection: attribute -1, a chain count past
// the list.
SavedObservations SaveObservationRows(const Form& form);
