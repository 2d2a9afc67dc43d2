; Small PIC16F84A program: a reset vector, an interrupt vector with a gap before it, a few words of
; code, the configuration word (XT, PWRT on), user IDs and five EEPROM bytes.
        list    p=16f84a
        #include <p16f84a.inc>
        errorlevel -302
        __CONFIG _XT_OSC & _WDT_OFF & _PWRTE_ON & _CP_OFF
        __IDLOCS 0x1234

        org     0x0000
        goto    start
        org     0x0004
        retfie
start:
        bsf     STATUS, RP0
        clrf    TRISB
        bcf     STATUS, RP0
        movlw   0x55
        movwf   PORTB
loop:
        goto    loop

        org     0x2100
        de      0x01, 0x02, 0xAB, "Hi"
        end
