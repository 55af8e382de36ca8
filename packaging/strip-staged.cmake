# Run by CPack on the staged files: the programs lose the compiler's notes as well as their
# symbols, as every binary in Debian's own packages does.
file(GLOB programs ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*)
foreach(program ${programs})
    execute_process(COMMAND ${CPACK_VANTOR_STRIP} --remove-section=.comment --remove-section=.note
                            ${program} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
