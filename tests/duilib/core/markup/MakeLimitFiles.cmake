# Writes the size-limit test documents into OUT: exact.xml is a valid document of
# exactly 4 MiB (the largest skin file accepted), big.xml is one byte longer.
set(limit 4194304)
math(EXPR filler "${limit} - 7") # "<a>" and "</a>" take the other 7 bytes
string(REPEAT "x" ${filler} body)
file(WRITE "${OUT}/exact.xml" "<a>${body}</a>")
file(WRITE "${OUT}/big.xml" "<a>${body}</a> ")
