[playlist]
NumberOfEntries=2
File1=http://radio.example:8000/
Title1=Radio
Length1=-1
File2=/music/a.mp3
Version=2
