# Warnings are errors in the project's own code.
function(clonara_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
        -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough
        -Werror)
endfunction()
