# Warnings are errors in both builds. Floating point stays reproducible: the view's
# arithmetic is specified to the float, so no contraction into fused multiply-adds.
add_compile_options(-ffp-contract=off)

function(pv_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
        -Wnon-virtual-dtor -Woverloaded-virtual -Wimplicit-fallthrough -Werror)
endfunction()
