#!/bin/bash
# Prints the build folder for the sanitizer chosen in the environment.
if [ "${WATTLEX_SANITIZE:-0}" = 1 ]; then echo build-asan
elif [ "${WATTLEX_TSAN:-0}" = 1 ]; then echo build-tsan
else echo build; fi
