// Observation files: plain text, one observed critical hit per data line
// ("damage attack power attribute strength charm chain"), "#" comments.
// Loading empties the six observation rows, fills them from the data lines
// and runs the estimation, all through the Form.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

class Form;
struct EstimatorState;

constexpr int ObservationFieldCount = 7;

// Reads a file as text the same way on every platform: a line ends at LF,
// the CR of a CR LF pair is dropped, a byte 0x1A ends the file, the last
// line needs no line end, and a line may be of any length.
struct TextReader {
    std::FILE* file;
    bool ended;
    std::size_t position;
    std::size_t size;
    char buffer[65536];
};

void StartTextReader(TextReader& reader, std::FILE* file);

// The next line without its line end; false at the end of the file.
bool ReadTextLine(TextReader& reader, std::string& line);

// Seven integers read the way the integer fields are (white space, an
// optional sign, decimal digits, saturating at the 32-bit range); text
// after the seventh is ignored. False unless all seven convert.
bool ParseDataLine(std::string_view line, std::int32_t fields[ObservationFieldCount]);

struct LoadResult {
    bool opened;
    int rowsFilled;
};

// Empties the rows, fills them from the stream's data lines and, when at
// least one row was filled, runs the estimation: on the process's one
// estimator, or on the state given.
int LoadObservationsFromStream(Form& form, std::FILE* file);
int LoadObservationsFromStream(Form& form, std::FILE* file, EstimatorState& state);

// The same for a file opened read-only. A file that cannot be opened
// changes nothing.
LoadResult LoadObservationsFromFile(Form& form, const char* path);
LoadResult LoadObservationsFromFile(Form& form, const char* path, EstimatorState& state);
