# Copies the shipped defaults (defaults/ and lang/) into DEST, leaving every file that is already
# there untouched: a user's preferences, profiles and logs survive a rebuild.
function(lay_tree from to)
    file(GLOB_RECURSE files RELATIVE ${from} ${from}/*)
    foreach(f ${files})
        if(NOT EXISTS ${to}/${f})
            get_filename_component(dir ${to}/${f} DIRECTORY)
            file(MAKE_DIRECTORY ${dir})
            file(COPY ${from}/${f} DESTINATION ${dir})
        endif()
    endforeach()
endfunction()
lay_tree(${SRC}/defaults ${DEST})
lay_tree(${SRC}/lang ${DEST}/Lang)
