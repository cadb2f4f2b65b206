[playlist]
FILE10=/ten.mp3
NumberOfEntries=12
file1=/one.mp3
Title12=x
