// Saving the observation rows as an observation file, the one writer of
// every front end: a comment line naming the program and its version, then
// one data line for each row the estimation would use (a damage of 1 or
// more), as the seven integers it reads. Code page 932 with CR LF, as
// players keep their files. Loading the file gives back the same rows.
#pragma once

#include <string>

class Form;

struct SavedObservations {
    int rowCount;      // data lines written; 0: nothing worth saving
    std::string bytes; // the whole file
};

// Attribute and chain lists without a selection are written as codes the
// loader turns back into no selection: attribute -1, a chain count past
// the list.
SavedObservations SaveObservationRows(const Form& form);
