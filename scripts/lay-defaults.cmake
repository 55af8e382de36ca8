# Copies the shipped defaults (defaults/, and the language packs of lang/ when there are any) into
# DEST, leaving every file that is already there untouched: a user's preferences, profiles and
# logs survive a rebuild.
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
if(EXISTS ${SRC}/lang)
    lay_tree(${SRC}/lang ${DEST}/Lang)
endif()
