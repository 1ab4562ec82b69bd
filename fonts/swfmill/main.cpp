// swfmill: compiles the movie descriptions the program writes into movie files.
//
//   swfmill simple IN.xml OUT.swf
//
// Exit status 0 means OUT.swf was written whole; otherwise one line goes to
// stderr and OUT.swf is left as it was.

#include "fonts/swfmill/movie_description.h"
#include "fonts/swfmill/movie_writer.h"

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4 || std::string(argv[1]) != "simple") {
        std::cerr << "usage: swfmill simple IN.xml OUT.swf\n";
        return 2;
    }
    try {
        const swfmill::MovieDescription movie = swfmill::readMovieDescription(argv[2]);
        if (!swfmill::writeAtomically(argv[3], swfmill::buildMovie(movie))) {
            std::cerr << "swfmill: cannot write " << argv[3] << '\n';
            return 1;
        }
    } catch (const std::exception& failure) {
        std::cerr << "swfmill: " << failure.what() << '\n';
        return 1;
    }
    return 0;
}
